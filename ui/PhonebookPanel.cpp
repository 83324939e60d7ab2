#include "PhonebookPanel.h"

#include "ContactCompleter.h"
#include "ContactExport.h"
#include "ContentFile.h"
#include "PhoneLink.h"
#include "PrintLayout.h"
#include "Prompter.h"
#include "QtText.h"
#include "ui_TForm1.h"

#include <QDateTime>
#include <QFileInfo>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLocale>
#include <QPainter>
#include <QPrinter>
#include <QScrollBar>
#include <QSplitter>

#include <algorithm>

namespace velmora {

namespace {

// The printout's positions are printer units; at 300 to the inch its two
// columns (up to x = 1300) fit across any paper, and an 8-point font keeps
// the continuation line (line 72) on the page of A4 and Letter alike.
constexpr int kPrintDotsPerInch = 300;
constexpr int kPrintPointSize = 8;
constexpr int kPrintTop = 20;

std::vector<PrintEntry> PrintedContacts(const std::vector<PhonebookEntry>& book) {
    std::vector<PrintEntry> entries;
    for (const PhonebookEntry& e : book)
        entries.push_back({FromPhone(e.name), FromPhone(e.number), FromPhone(e.index)});
    return entries;
}

} // namespace

PhonebookPanel::PhonebookPanel(Ui::TForm1& ui, QWidget& window, Prompter& prompter, PhoneLink& link,
                               QString exportFile)
    : m_ui(ui), m_window(window), m_prompter(prompter), m_link(link), m_exportFile(std::move(exportFile)) {}

void PhonebookPanel::shapeList() {
    QTreeWidget* list = m_ui.lvContact;
    list->setHeaderLabels({tr("Contact"), tr("Phone No."), tr("No.")});
    // The name takes what the number and the index leave (fitColumns).
    list->header()->setStretchLastSection(false);
    list->setRootIsDecorated(false);
    // Several entries at once make a group (Make Group); a double-click
    // still takes the one clicked.
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setAllColumnsShowFocus(true);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setUniformRowHeights(true);
    list->addAction(m_ui.actMakeGroup);
    list->setContextMenuPolicy(Qt::ActionsContextMenu);
    m_completer = new ContactCompleter(m_ui.txtHPNo);
    m_ui.txtHPNo->setCompleter(m_completer);
    // Black like the panel it covers, each cell ruled as in a report.
    list->setStyleSheet(
        "QTreeWidget { background: black; color: white; }"
        "QTreeWidget::item { border-right: 1px solid #505050; border-bottom: 1px solid #505050; }"
        "QTreeWidget::item:selected { background: #2a62b8; color: white; }");
}

// The list covers the left panel below the destination; what it covers,
// the two separators among it, comes back when it goes.
void PhonebookPanel::show(bool show) {
    for (QWidget* covered : std::initializer_list<QWidget*>{m_ui.Shape2, m_ui.lblScreen, m_ui.Image1,
                                                            m_ui.Shape1, m_ui.lblDebug, m_ui.memDebug})
        covered->setVisible(!show);
    m_ui.lvContact->setVisible(show);
    fitColumns(show);
}

// Every number whole, whatever the font: the number and the index as wide
// as their longest, the name at least sixteen characters and what else the
// panel has. The panel widens for them while the list shows, as far as the
// compose tabs beside it let it, and goes back to the width it had when the
// list goes; at the window's design width the list scrolls sideways, as it
// always has, but a number is never cut.
void PhonebookPanel::fitColumns(bool show) {
    QSplitter* split = m_ui.Splitter1;
    if (!show) {
        if (!m_panelSizes.isEmpty())
            split->setSizes(m_panelSizes);
        m_panelSizes.clear();
        return;
    }
    QTreeWidget* list = m_ui.lvContact;
    // Each cell's text and its margins (a character's width either side).
    const QFontMetrics metrics = list->fontMetrics();
    const auto widest = [&](int column) {
        int widest = list->header()->sectionSizeHint(column);
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            widest = std::max(widest, metrics.horizontalAdvance(list->topLevelItem(i)->text(column)) +
                                          2 * metrics.averageCharWidth());
        return widest;
    };
    const int number = widest(1), index = widest(2);
    list->setColumnWidth(1, number);
    list->setColumnWidth(2, index);
    const QMargins margins = m_ui.layPanel1->contentsMargins();
    const int needed = metrics.averageCharWidth() * 16 + number + index + 2 * list->frameWidth() +
                       list->verticalScrollBar()->sizeHint().width() + margins.left() + margins.right();
    const QList<int> sizes = m_panelSizes.isEmpty() ? split->sizes() : m_panelSizes;
    if (sizes.size() == 2 && sizes[0] < needed) {
        m_panelSizes = sizes;
        split->setSizes({needed, std::max(0, sizes[0] + sizes[1] - needed)});
    }
    const int panel = split->sizes().value(0);
    list->setColumnWidth(
        0, std::max(metrics.averageCharWidth() * 16, panel + 16 * metrics.averageCharWidth() - needed));
}

// The list shows when the read ends.
void PhonebookPanel::request(bool readAgain) {
    if (m_pending)
        return;
    m_pending = true;
    m_link.readPhonebook(readAgain);
}

// A list that is current is kept and shown as it is; it empties only when
// the link really reads.
void PhonebookPanel::readStarted() {
    m_ui.lvContact->clear();
    m_completer->clear();
}

// Item texts are never read as markup.
void PhonebookPanel::entryFound(const QString& name, const QString& number, const QString& index) {
    new QTreeWidgetItem(m_ui.lvContact, QStringList{name, number, index});
    m_completer->add(name, number);
}

// Also after "&Disconnect" stopped the read: the entries so far stay.
void PhonebookPanel::readFinished() {
    m_pending = false;
    show(true);
    // The submenu, not only its entry: a disabled submenu takes no clicks.
    m_ui.mnuPrintAll->setEnabled(true);
    m_ui.mnuPrintAll->menuAction()->setEnabled(true);
}

void PhonebookPanel::choose() {
    // Of several chosen, the one the user is on (Enter, a double-click).
    const QList<QTreeWidgetItem*> chosen = m_ui.lvContact->selectedItems();
    QTreeWidgetItem* current = m_ui.lvContact->currentItem();
    if (!chosen.contains(current))
        current = chosen.isEmpty() ? nullptr : chosen.first();
    // The destination's change handler turns a national 0... into 62...
    if (current)
        m_ui.txtHPNo->setText(current->text(1));
    show(false);
}

void PhonebookPanel::print() {
    if (m_link.phonebook().empty())
        return;
    const std::unique_ptr<QPrinter> printer = m_prompter.DefaultPrinter();
    if (!printer) {
        m_prompter.Warning(&m_window, tr("No printer is available, so the phone book cannot be printed."));
        return;
    }
    if (!printPages(*printer))
        m_prompter.Warning(&m_window,
                           tr("The printer \"%1\" did not take the phone book; nothing was printed.")
                               .arg(printer->printerName()));
}

bool PhonebookPanel::printPages(QPrinter& printer) {
    printer.setDocName("Velmora 1.00");
    printer.setResolution(kPrintDotsPerInch);
    const auto pages = PhonebookPrintLayout(PrintedContacts(m_link.phonebook()), m_imsi,
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
QString PhonebookPanel::exportVCard() {
    const std::vector<PhonebookEntry> book = m_link.phonebook();
    if (book.empty()) {
        m_prompter.Warning(&m_window,
                           tr("Read the phone book first (Phone Book, or Phonebook > Read From SIM)."));
        return QString();
    }
    const auto choice = m_prompter.SaveFile(&m_window, {{FileType{S(tr("vCard Files")), {"*.vcf"}}}, 1});
    if (choice.path.isEmpty())
        return QString();
    const QString path = QFileInfo(choice.path).suffix().isEmpty() ? choice.path + ".vcf" : choice.path;
    const ExportResult r = WriteVCards(S(path), book);
    if (!r.ok)
        m_prompter.Warning(&m_window, Q(r.status));
    return Q(r.status);
}

void PhonebookPanel::exportText() {
    if (m_link.phonebook().empty())
        return;
    m_link.exportContacts(m_exportFile);
}

} // namespace velmora
