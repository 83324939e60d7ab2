#pragma once

#include "Prompter.h"
#include "RunningProgram.h"
#include "SimPhone.h"
#include "TForm1.h"
#include "TuneOutput.h"

#include <QDialog>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace velmora::testing {

// Answers the window's message boxes and dialogs, keeping what they said.
class TestPrompter : public Prompter {
public:
    QStringList warnings, errors, opened;
    bool viewerAvailable = true;
    // The default printer prints into this PDF file; none when empty.
    QString printerFile;
    std::function<void(QDialog&)> onDialog;

    QList<FileChoice> files; // the next answers of the file dialogs, in turn
    QStringList filters;     // what each file dialog offered, with its first filter
    bool answerYes = true;
    std::optional<QString> secret; // the answer to AskSecret
    QStringList secretLabels;
    std::optional<QString> AskSecret(QWidget*, const QString&, const QString& label) override {
        secretLabels << label;
        return secret;
    }
    QStringList questions;

    void Warning(QWidget*, const QString& text) override { warnings << text; }
    FileChoice OpenFile(QWidget*, const FileFilter& filter) override { return NextFile(filter); }
    FileChoice SaveFile(QWidget*, const FileFilter& filter) override { return NextFile(filter); }
    std::function<void()> whileAsking; // runs as a modal question would, before the answer
    bool Ask(QWidget*, const QString& question) override {
        questions << question;
        if (whileAsking)
            whileAsking();
        return answerYes;
    }
    bool AskToDelete(QWidget* parent, const QString& question) override { return Ask(parent, question); }
    // The answer to a question with a way back; kept in `questions` too.
    Answer threeWay = Answer::Yes;
    Answer AskYesNoCancel(QWidget*, const QString& question) override {
        questions << question;
        if (whileAsking)
            whileAsking();
        return threeWay;
    }
    // The answers to AskText, in turn; none left: cancelled.
    QStringList texts;
    QStringList textLabels;
    std::optional<QString> AskText(QWidget*, const QString&, const QString& label, const QString&) override {
        textLabels << label;
        if (texts.isEmpty())
            return std::nullopt;
        return texts.takeFirst();
    }
    void Error(QWidget*, const QString& text) override { errors << text; }
    int Exec(QDialog& dialog) override;
    bool OpenWithDesktop(const QString& path) override {
        opened << path;
        return viewerAvailable;
    }
    std::unique_ptr<QPrinter> DefaultPrinter() override;

private:
    // Kept as "Description|*.A;*.B|...#index", one string a test can search.
    FileChoice NextFile(const FileFilter& filter) {
        QStringList pairs;
        for (const FileType& type : filter.types) {
            QStringList patterns;
            for (const std::string& p : type.patterns)
                patterns << QString::fromStdString(p);
            pairs << QString::fromStdString(type.description) << patterns.join(';');
        }
        filters << QString("%1#%2").arg(pairs.join('|')).arg(filter.index);
        return files.isEmpty() ? FileChoice{} : files.takeFirst();
    }
};

// velmora-phonesim on a pseudo-terminal, recording the PDUs it receives.
class Phone {
public:
    explicit Phone(const QString& record, QStringList options = {});
    QString device() const { return QString::fromStdString(m_sim.device()); }
    QStringList received() const;

private:
    static std::vector<std::string> Arguments(const QString& record, const QStringList& options);

    QString m_record;
    SimPhone m_sim;
};

// A window in a temporary directory of its own, talking to `device` at
// `scale` times real time.
class Window {
public:
    explicit Window(const QString& device, const QByteArray& settings = {}, double scale = 0.1);
    // A window that finds `running` holding the modems (the first time it
    // looks; none after), on a device that is never there.
    explicit Window(std::unique_ptr<RunningProgram> running, const QByteArray& settings = {});
    ~Window();

    TForm1& form() { return *m_form; }
    template <class T> T* find(const char* name) { return m_form->findChild<T*>(name); }
    QString path(const QString& name) const { return m_dir.filePath(name); }
    QStringList lines(const QString& name) const;
    // Shows the window; it connects on its own.
    void show();
    bool waitConnected(int ms = 10000);
    void recreate(const QString& device, double scale);

    TestPrompter prompter;
    // Made again (recreate), the window answers on the session bus while
    // it holds the modem.
    bool answerOnBus = false;
    // Where the RingTone tab plays, made at its first Play; the default
    // audio output when unset.
    std::function<std::unique_ptr<TuneOutput>()> tuneOutput;

private:
    QTemporaryDir m_dir;
    std::unique_ptr<RunningProgram> m_running;
    std::unique_ptr<TForm1> m_form;
};

// The phone of a ConnectedWindow, made before the window that uses it.
struct WindowPhone {
    Phone phone;
};

// A window shown and connected to a simulated phone of its own, which
// records the PDUs it receives in `record`. Whether it connected within
// 10 s is `connected()`.
class ConnectedWindow : public WindowPhone, public Window {
public:
    explicit ConnectedWindow(const QString& record, QStringList options = {}, double scale = 0.1);
    bool connected() const { return m_connected; }

private:
    bool m_connected = false;
};

} // namespace velmora::testing
