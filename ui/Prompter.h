#pragma once

#include <QString>

class QDialog;
class QWidget;

namespace velmora {

// Every message box, file dialog, modal dialog and desktop "open" of the
// window goes through here, so tests can answer them without a person.
class Prompter {
public:
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
};

} // namespace velmora
