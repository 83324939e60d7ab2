#pragma once

#include "Prompter.h"
#include "TForm1.h"

#include <QDialog>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <memory>

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
    QStringList questions;

    void Warning(QWidget*, const QString& text) override { warnings << text; }
    FileChoice OpenFile(QWidget*, const QString& filter, int index) override {
        return NextFile(filter, index);
    }
    FileChoice SaveFile(QWidget*, const QString& filter, int index) override {
        return NextFile(filter, index);
    }
    bool Ask(QWidget*, const QString& question) override {
        questions << question;
        return answerYes;
    }
    void Error(QWidget*, const QString& text) override { errors << text; }
    int Exec(QDialog& dialog) override;
    bool OpenWithDesktop(const QString& path) override {
        opened << path;
        return viewerAvailable;
    }
    std::unique_ptr<QPrinter> DefaultPrinter() override;

private:
    FileChoice NextFile(const QString& filter, int index) {
        filters << QString("%1#%2").arg(filter).arg(index);
        return files.isEmpty() ? FileChoice{} : files.takeFirst();
    }
};

// velmora-phonesim on a pseudo-terminal, recording the PDUs it receives.
class Phone {
public:
    explicit Phone(const QString& record, QStringList options = {});
    ~Phone();
    QString device() const { return m_device; }
    QStringList received() const;

private:
    QProcess m_process;
    QString m_device, m_record;
};

// A window in a temporary directory of its own, talking to `device` at
// `scale` times real time.
class Window {
public:
    explicit Window(const QString& device, const QByteArray& settings = {}, double scale = 0.1);
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

private:
    QTemporaryDir m_dir;
    std::unique_ptr<TForm1> m_form;
};

} // namespace velmora::testing
