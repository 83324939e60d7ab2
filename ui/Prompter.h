#pragma once

#include "ContentFile.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class QDialog;
class QPrinter;
class QWidget;

namespace velmora {

// Every message box, file dialog, modal dialog and desktop "open" of the
// window goes through here, so tests can answer them without a person.
class Prompter {
public:
    // A file the user chose, with the filter (from 1) the dialog ended on;
    // an empty path when the user cancelled.
    struct FileChoice {
        QString path;
        int filterIndex = 1;
    };

    virtual ~Prompter() = default;

    // A refused input: a modal box titled "Warning" with one OK button.
    virtual void Warning(QWidget* parent, const QString& text);
    // A problem of the program itself (a settings file it cannot use),
    // under the application's title with an error icon.
    virtual void Error(QWidget* parent, const QString& text);
    // Shows a dialog modally; gives its result.
    virtual int Exec(QDialog& dialog);
    // Asks the desktop to open a file with its viewer; false when no viewer
    // could be asked.
    virtual bool OpenWithDesktop(const QString& path);
    // A yes-or-no question; true for yes.
    virtual bool Ask(QWidget* parent, const QString& question);
    // The same for something that cannot be undone: No is the default, so
    // Enter pressed out of habit keeps it.
    virtual bool AskToDelete(QWidget* parent, const QString& question);
    // A question with a way back: Yes, No, or Cancel (also Escape and the
    // window's close button), which leaves things as they were.
    enum class Answer { Yes, No, Cancel };
    virtual Answer AskYesNoCancel(QWidget* parent, const QString& question);
    // A line of text (a name); nothing when the user cancelled.
    virtual std::optional<QString> AskText(QWidget* parent, const QString& title, const QString& label,
                                           const QString& text = {});
    // A secret typed unseen (the SIM's PIN); nothing when the user cancelled.
    virtual std::optional<QString> AskSecret(QWidget* parent, const QString& title, const QString& label);
    // File dialogs offering the content formats' file types, the one at
    // `filter.index` (from 1) selected first.
    virtual FileChoice OpenFile(QWidget* parent, const FileFilter& filter);
    virtual FileChoice SaveFile(QWidget* parent, const FileFilter& filter);
    // The system's default printer, or null when there is none to print on.
    virtual std::unique_ptr<QPrinter> DefaultPrinter();
};

// The file types as Qt's name filters, matching any case.
QStringList QtFileFilters(const std::vector<FileType>& types);

} // namespace velmora
