#include "Prompter.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QMessageBox>
#include <QUrl>

namespace velmora {

namespace {

// The texts may come from files and the phone: never read as markup.
void Show(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text) {
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace

void Prompter::Warning(QWidget* parent, const QString& text) {
    Show(parent, QMessageBox::Warning, "Warning", text);
}

void Prompter::Error(QWidget* parent, const QString& text) {
    Show(parent, QMessageBox::Critical, QApplication::applicationDisplayName(), text);
}

int Prompter::Exec(QDialog& dialog) { return dialog.exec(); }

bool Prompter::OpenWithDesktop(const QString& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

} // namespace velmora
