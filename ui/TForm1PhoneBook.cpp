// The phone book: the SIM's entries as the link read and keeps them, listed
// in lvContact as they come; a double-click that makes a number the
// destination, the printout and the text export of the link's copy.

#include "PrintLayout.h"
#include "Prompter.h"
#include "QtText.h"
#include "TForm1.h"
#include "ui_TForm1.h"

#include <QDateTime>
#include <QLocale>
#include <QPainter>
#include <QPrinter>

namespace velmora {

namespace {

// The printout's positions are printer units; at 300 to the inch its two
// columns (up to x = 1300) fit across any paper, and an 8-point font keeps
// the continuation line (line 72) on the page of A4 and Letter alike.
constexpr int kPrintDotsPerInch = 300;
constexpr int kPrintPointSize = 8;
constexpr int kPrintTop = 20;

// The phone's texts are Latin-1 bytes, as the list shows them.
QString Latin1(const std::string& s) {
    return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
}

std::vector<PrintEntry> PrintedContacts(const std::vector<PhonebookEntry>& book) {
    std::vector<PrintEntry> entries;
    for (const PhonebookEntry& e : book)
        entries.push_back({Latin1(e.name), Latin1(e.number), Latin1(e.index)});
    return entries;
}

} // namespace

void TForm1::ShapeContactList() {
    QTreeWidget* list = m_ui->lvContact;
    list->setHeaderLabels({"Contact", "Phone No.", "No."});
    const int widths[] = {145, 100, 30};
    for (int column = 0; column < 3; ++column)
        list->setColumnWidth(column, widths[column]);
    list->setRootIsDecorated(false);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setAllColumnsShowFocus(true);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setUniformRowHeights(true);
    // Black like the panel it covers, each cell ruled as in a report.
    list->setStyleSheet(
        "QTreeWidget { background: black; color: white; }"
        "QTreeWidget::item { border-right: 1px solid #505050; border-bottom: 1px solid #505050; }"
        "QTreeWidget::item:selected { background: #2a62b8; color: white; }");
}

// The list covers the left panel below the destination; what it covers,
// the two separators among it, comes back when it goes.
void TForm1::ShowContactList(bool show) {
    auto& ui = *m_ui;
    for (QWidget* covered : std::initializer_list<QWidget*>{ui.Shape2, ui.lblScreen, ui.Image1, ui.Shape1,
                                                            ui.lblDebug, ui.memDebug})
        covered->setVisible(!show);
    ui.lvContact->setVisible(show);
}

void TForm1::bitPhonebookClick() { RequestPhonebook(false); }

void TForm1::mnuPReadFromSIMClick() { RequestPhonebook(true); }

// A read takes up to a minute and a half; asking again meanwhile would only
// queue a second read behind it. The list shows when the read ends.
void TForm1::RequestPhonebook(bool readAgain) {
    if (m_phonebookPending)
        return;
    m_phonebookPending = true;
    m_link->readPhonebook(readAgain);
}

// Item texts are never read as markup.
void TForm1::ContactFound(const QString& name, const QString& number, const QString& index) {
    new QTreeWidgetItem(m_ui->lvContact, QStringList{name, number, index});
}

// Also after "&Disconnect" stopped the read: the entries so far stay.
void TForm1::PhonebookFinished(bool /*read*/, int /*count*/, bool /*stopped*/) {
    m_phonebookPending = false;
    ShowContactList(true);
    // The submenu, not only its entry: a disabled submenu takes no clicks.
    m_ui->mnuPrintAll->setEnabled(true);
    m_ui->mnuPrintAll->menuAction()->setEnabled(true);
}

void TForm1::mnuPShowContactClick() { ShowContactList(true); }

void TForm1::mnuPHideContactClick() { ShowContactList(false); }

void TForm1::lvContactDblClick() {
    const QList<QTreeWidgetItem*> chosen = m_ui->lvContact->selectedItems();
    // The destination's change handler turns a national 0... into 62...
    if (!chosen.isEmpty())
        m_ui->txtHPNo->setText(chosen.first()->text(1));
    ShowContactList(false);
}

void TForm1::Printer1Click() {
    if (m_link->phonebook().empty())
        return;
    const std::unique_ptr<QPrinter> printer = m_prompter->DefaultPrinter();
    if (!printer) {
        m_prompter->Warning(this, "No printer is available, so the phone book cannot be printed.");
        return;
    }
    if (!PrintPages(*printer))
        m_prompter->Warning(this, "The printer \"" + printer->printerName() +
                                      "\" did not take the phone book; nothing was printed.");
}

bool TForm1::PrintPages(QPrinter& printer) {
    printer.setDocName("Velmora 1.00");
    printer.setResolution(kPrintDotsPerInch);
    const auto pages = PhonebookPrintLayout(PrintedContacts(m_link->phonebook()), m_imsi,
                                            PrintStamp(QDateTime::currentDateTime(), QLocale::system()));
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    QFont font = painter.font();
    font.setPointSize(kPrintPointSize);
    painter.setFont(font);
    // Every text of the font has the same line height; a line's position is
    // the top of its text, the painter's is the baseline.
    const QFontMetrics metrics = painter.fontMetrics();
    for (std::size_t p = 0; p < pages.size(); ++p) {
        if (p > 0 && !printer.newPage())
            return false;
        for (const PrintItem& item : pages[p])
            painter.drawText(item.x, kPrintTop + item.line * metrics.height() + metrics.ascent(), item.text);
    }
    return painter.end();
}

// The link writes the entries as the phone sent them, whole or not at all,
// and puts the outcome in the status bar: the file's name, or why not.
void TForm1::TextFile1Click() {
    if (m_link->phonebook().empty())
        return;
    m_link->exportContacts(Q(m_setup.paths.contactFile));
}

} // namespace velmora
