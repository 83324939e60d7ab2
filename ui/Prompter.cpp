#include "Prompter.h"

#include "Translations.h"

#include "DialogPlacement.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrinter>
#include <QPrinterInfo>
#include <QUrl>

namespace velmora {

namespace {

// The texts may come from files and the phone: never read as markup.
void Show(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text) {
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    KeepOnScreen(box);
    box.exec();
}

} // namespace

void Prompter::Warning(QWidget* parent, const QString& text) {
    Show(parent, QMessageBox::Warning, QCoreApplication::translate("Prompter", "Warning"), text);
}

void Prompter::Error(QWidget* parent, const QString& text) {
    Show(parent, QMessageBox::Critical, QApplication::applicationDisplayName(), text);
}

int Prompter::Exec(QDialog& dialog) { return dialog.exec(); }

bool Prompter::OpenWithDesktop(const QString& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool Prompter::Ask(QWidget* parent, const QString& question) {
    QMessageBox box(QMessageBox::Question, QApplication::applicationDisplayName(), question,
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setTextFormat(Qt::PlainText);
    KeepOnScreen(box);
    return box.exec() == QMessageBox::Yes;
}

bool Prompter::AskToDelete(QWidget* parent, const QString& question) {
    QMessageBox box(QMessageBox::Warning, QApplication::applicationDisplayName(), question,
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::No);
    KeepOnScreen(box);
    return box.exec() == QMessageBox::Yes;
}

Prompter::Answer Prompter::AskYesNoCancel(QWidget* parent, const QString& question) {
    QMessageBox box(QMessageBox::Question, QApplication::applicationDisplayName(), question,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent);
    box.setTextFormat(Qt::PlainText);
    box.setEscapeButton(QMessageBox::Cancel);
    KeepOnScreen(box);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

std::optional<QString> Prompter::AskText(QWidget* parent, const QString& title, const QString& label,
                                         const QString& text) {
    QInputDialog dialog(parent);
    dialog.setObjectName("TextDialog");
    dialog.setWindowTitle(title);
    dialog.setLabelText(label);
    dialog.setTextValue(text);
    KeepOnScreen(dialog);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

std::optional<QString> Prompter::AskSecret(QWidget* parent, const QString& title, const QString& label) {
    QInputDialog dialog(parent);
    dialog.setObjectName("SecretDialog");
    dialog.setWindowTitle(title);
    dialog.setLabelText(label);
    dialog.setTextEchoMode(QLineEdit::Password);
    dialog.setInputMethodHints(Qt::ImhDigitsOnly | Qt::ImhSensitiveData | Qt::ImhNoPredictiveText);
    KeepOnScreen(dialog);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

QStringList QtFileFilters(const std::vector<FileType>& types) {
    QStringList out;
    for (const FileType& type : types) {
        QStringList patterns;
        for (const std::string& pattern : type.patterns) {
            if (pattern == "*.*") {
                patterns << "*"; // any name, with a dot or without
                continue;
            }
            // Names are matched in any case: logo.bmp and Logo.Nol are offered
            // under *.BMP and *.NOL.
            QString any;
            for (const QChar c : QString::fromStdString(pattern))
                any += c.isLetter() ? QString("[%1%2]").arg(c.toUpper(), c.toLower()) : QString(c);
            patterns << any;
        }
        out << QString("%1 (%2)").arg(Localized(type.description), patterns.join(' '));
    }
    return out;
}

namespace {

Prompter::FileChoice Choose(QWidget* parent, const FileFilter& filter, QFileDialog::AcceptMode mode) {
    QFileDialog dialog(parent);
    KeepOnScreen(dialog);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    const QStringList filters = QtFileFilters(filter.types);
    dialog.setNameFilters(filters);
    if (filter.index >= 1 && filter.index <= filters.size())
        dialog.selectNameFilter(filters[filter.index - 1]);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return {dialog.selectedFiles().first(),
            static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1};
}

} // namespace

Prompter::FileChoice Prompter::OpenFile(QWidget* parent, const FileFilter& filter) {
    return Choose(parent, filter, QFileDialog::AcceptOpen);
}

Prompter::FileChoice Prompter::SaveFile(QWidget* parent, const FileFilter& filter) {
    return Choose(parent, filter, QFileDialog::AcceptSave);
}

std::unique_ptr<QPrinter> Prompter::DefaultPrinter() {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return nullptr;
    return std::make_unique<QPrinter>(info, QPrinter::HighResolution);
}

} // namespace velmora
