#include "InboxDialog.h"

#include "Translations.h"

#include "ChosenRow.h"
#include "ContentTabs.h"
#include "DialogPlacement.h"
#include "QtText.h"
#include "StatusReport.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <QCoreApplication>

#include <algorithm>

namespace velmora {

namespace {

enum Column { When, From, Message };

// The phone's time, in the user's own zone.
QString LocalTime(const std::string& iso) {
    const QDateTime t = QDateTime::fromString(Q(iso), Qt::ISODate);
    return t.isValid() ? t.toLocalTime().toString("yyyy-MM-dd HH:mm") : QString();
}

// A store as a person calls it.
QString StoreName(const std::string& storage) {
    if (storage == "SM")
        return "SIM";
    if (storage == "ME")
        return QCoreApplication::translate("InboxDialog", "phone");
    return QCoreApplication::translate("InboxDialog", "store %1").arg(Q(storage));
}

// "2", "2 and 3", "1, 2 and 4".
QString Listed(std::vector<int> numbers) {
    std::sort(numbers.begin(), numbers.end());
    QStringList words;
    for (const int n : numbers)
        words << QString::number(n);
    const QString last = words.takeLast();
    return words.isEmpty()
               ? last
               : QCoreApplication::translate("InboxDialog", "%1 and %2").arg(words.join(", "), last);
}

// The tab the window puts the message in when it is chosen.
QString Where(const ReadMessage& m) {
    const std::optional<Tab> tab = ContentTabs::TabFor(m);
    if (!tab)
        return QString();
    if (*tab == Tab::Ringtone)
        return QCoreApplication::translate("InboxDialog", "It is in the RingTone tab.");
    const QString name =
        *tab == Tab::OperatorLogo   ? QCoreApplication::translate("InboxDialog", "Operator Logo")
        : *tab == Tab::GroupGraphic ? QCoreApplication::translate("InboxDialog", "Group Graphic")
                                    : QCoreApplication::translate("InboxDialog", "Picture Message");
    return QCoreApplication::translate("InboxDialog",
                                       "It is drawn on the Screen Appearance and is in the %1 tab.")
        .arg(name);
}

QString Detail(const InboxEntry& e, const QString& name) {
    QStringList lines;
    lines << QCoreApplication::translate("InboxDialog", "Stored at: %1").arg(StoredPlaces(e.parts));
    if (!e.message) {
        lines << QCoreApplication::translate("InboxDialog", "This message could not be read: %1")
                     .arg(Localized(e.message.error()));
        return lines.join('\n');
    }
    const ReadMessage& m = *e.message;
    const bool outgoing = m.pdu.type == PduType::Submit;
    lines << (outgoing ? QCoreApplication::translate("InboxDialog", "To: %1")
                       : QCoreApplication::translate("InboxDialog", "From: %1"))
                 .arg(InboxSender(e, name));
    if (const QString when = LocalTime(m.pdu.timestamp); !when.isEmpty())
        lines << QCoreApplication::translate("InboxDialog", "Time: %1").arg(when);
    lines << ContentLines(m);
    if (const QString where = Where(m); !where.isEmpty())
        lines << where;
    if (!m.text.empty())
        lines << QString() << FromUtf16(m.text);
    return lines.join('\n');
}

} // namespace

// What kind of message it is, as the link's InboxKind says it in English,
// in the user's language.
QString KindSaid(const ReadMessage& m) {
    switch (m.kind) {
    case ContentKind::Text:
        return m.parts ? QCoreApplication::translate("InboxDialog", "Long text message, %1 parts")
                             .arg(m.parts->total)
                       : QCoreApplication::translate("InboxDialog", "Text message");
    case ContentKind::Flash:
        return m.blink ? QCoreApplication::translate("InboxDialog", "Flash message, blinking")
                       : QCoreApplication::translate("InboxDialog", "Flash message");
    case ContentKind::Ems:
        return QCoreApplication::translate("InboxDialog", "EMS message");
    case ContentKind::Picture:
        return QCoreApplication::translate("InboxDialog", "Picture message");
    case ContentKind::Logo:
        return QCoreApplication::translate("InboxDialog", "Operator logo for %1 %2").arg(Q(m.mcc), Q(m.nc));
    case ContentKind::Group:
        return QCoreApplication::translate("InboxDialog", "Group graphic");
    case ContentKind::Ringtone: {
        // The title's octets are ISO-8859-1, as the phone sent them.
        const QString title = QString::fromLatin1(m.title.data(), static_cast<qsizetype>(m.title.size()));
        return title.isEmpty() ? QCoreApplication::translate("InboxDialog", "Ringtone")
                               : QCoreApplication::translate("InboxDialog", "Ringtone: %1").arg(title);
    }
    case ContentKind::Void:
        return QCoreApplication::translate("InboxDialog", "Void message");
    case ContentKind::Indicator: {
        static const char* const waiting[] = {
            QT_TRANSLATE_NOOP("InboxDialog", "Voicemail"), QT_TRANSLATE_NOOP("InboxDialog", "Fax"),
            QT_TRANSLATE_NOOP("InboxDialog", "E-mail"), QT_TRANSLATE_NOOP("InboxDialog", "Message")};
        const QString what =
            QCoreApplication::translate("InboxDialog", waiting[std::clamp(m.indicatorKind, 1, 4) - 1]);
        return m.waiting ? QCoreApplication::translate("InboxDialog", "%1 waiting: %2")
                               .arg(what, QString::number(*m.waiting))
               : m.active ? QCoreApplication::translate("InboxDialog", "%1 waiting").arg(what)
                          : QCoreApplication::translate("InboxDialog", "%1 read, none waiting").arg(what);
    }
    case ContentKind::Data:
        return m.port ? QCoreApplication::translate("InboxDialog", "Data for port %1").arg(*m.port)
                      : QCoreApplication::translate("InboxDialog", "Data");
    case ContentKind::Report:
        return QCoreApplication::translate("InboxDialog", "Delivery report: %1")
            .arg(Localized(StatusText(m.pdu.status.value_or(0))));
    }
    return FromUtf16(InboxKind(m));
}

QString InboxRowText(const InboxEntry& e, std::size_t length) {
    if (!e.message)
        return FromUtf16(InboxSummary(e, length));
    const ReadMessage& m = *e.message;
    if (m.compressed)
        return QCoreApplication::translate("InboxDialog", "Compressed text: %1").arg(Q(m.content));
    switch (m.kind) {
    case ContentKind::Logo:
    case ContentKind::Group:
    case ContentKind::Ringtone:
    case ContentKind::Void:
    case ContentKind::Indicator:
    case ContentKind::Data:
    case ContentKind::Report:
        return KindSaid(m);
    default:
        return FromUtf16(InboxSummary(e, length));
    }
}

QStringList ContentLines(const ReadMessage& m) {
    QStringList lines;
    lines << QCoreApplication::translate("InboxDialog", "Kind: %1").arg(KindSaid(m));
    if (m.parts)
        lines << QCoreApplication::translate("InboxDialog", "Parts: %1 of %2 came")
                     .arg(m.parts->total - static_cast<int>(m.missing.size()))
                     .arg(m.parts->total);
    if (m.truncated)
        lines << QCoreApplication::translate("InboxDialog",
                                             "Cut short: the user data ends before its stated length");
    if (m.kind == ContentKind::Report)
        lines << QCoreApplication::translate("InboxDialog", "Reference %1: %2")
                     .arg(QString::number(m.pdu.reference.value_or(0)),
                          Localized(StatusText(m.pdu.status.value_or(0))));
    if (m.kind == ContentKind::Ringtone)
        lines << QCoreApplication::translate("InboxDialog", "RTTTL: %1").arg(FromPhone(m.rtttl));
    if (m.compressed)
        lines << QCoreApplication::translate("InboxDialog",
                                             "Compressed: Velmora does not read the text; its octets: %1")
                     .arg(Q(m.content));
    return lines;
}

QString StoredPlaces(const std::vector<StoredMessage>& parts) {
    // Each store once, in the order its first part comes.
    std::vector<std::pair<std::string, std::vector<int>>> stores;
    for (const StoredMessage& p : parts) {
        auto store =
            std::find_if(stores.begin(), stores.end(), [&](const auto& s) { return s.first == p.storage; });
        if (store == stores.end())
            store = stores.insert(stores.end(), {p.storage, {}});
        store->second.push_back(p.index);
    }
    QStringList said;
    for (const auto& [storage, indexes] : stores)
        said << (indexes.size() == 1 ? QCoreApplication::translate("InboxDialog", "%1, place %2")
                                     : QCoreApplication::translate("InboxDialog", "%1, places %2"))
                    .arg(StoreName(storage), Listed(indexes));
    return said.join("; ");
}

QString InboxSender(const InboxEntry& e, const QString& name) {
    if (!e.message)
        return "?";
    const QString number = Q(e.message->pdu.number);
    return name.isEmpty() ? number : name + " (" + number + ")";
}

InboxDialog::InboxDialog(QWidget* parent)
    : QDialog(parent), m_list(new QTreeWidget(this)), m_detail(new QPlainTextEdit(this)),
      m_progress(new QProgressBar(this)), m_status(new QLabel(this)), m_statusArea(new QScrollArea(this)),
      m_read(new QPushButton(tr("&Read From Phone"), this)), m_delete(new QPushButton(tr("&Delete"), this)) {
    setObjectName("InboxDialog");
    // Beside the window, so the preview it draws on stays in sight.
    KeepOnScreen(*this, {Side::Right, Side::Left});
    setWindowTitle(tr("Inbox"));
    m_list->setObjectName("lvInbox");
    m_list->setAccessibleName(tr("Messages"));
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setHeaderLabels({tr("Time"), tr("From"), tr("Message")});
    m_list->header()->setStretchLastSection(true);
    m_list->setColumnWidth(When, 130);
    m_list->setColumnWidth(From, 150);
    m_detail->setObjectName("memInboxMessage");
    m_detail->setAccessibleName(tr("Message"));
    m_detail->setReadOnly(true);
    m_detail->setPlaceholderText(tr("Choose a message to read it in full."));
    m_progress->setObjectName("prgInbox");
    m_progress->setAccessibleName(tr("Reading the inbox"));
    m_progress->hide();
    m_status->setObjectName("lblInboxStatus");
    m_status->setTextFormat(Qt::PlainText);
    // Every message the phone would not give is named here: the status
    // wraps instead of widening the dialog past the screen, and past a few
    // lines it scrolls instead of pushing the buttons below the screen.
    m_status->setWordWrap(true);
    m_statusArea->setObjectName("scrInboxStatus");
    m_statusArea->setWidget(m_status);
    m_statusArea->setWidgetResizable(true);
    m_statusArea->setFrameShape(QFrame::NoFrame);
    m_statusArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_read->setObjectName("btnInboxRead");
    m_delete->setObjectName("btnInboxDelete");
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->setObjectName("btnCloseInbox");
    buttons->addButton(m_read, QDialogButtonBox::ActionRole);
    buttons->addButton(m_delete, QDialogButtonBox::ActionRole);

    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_read, &QPushButton::clicked, this, &InboxDialog::readRequested);
    connect(m_delete, &QPushButton::clicked, this, [this] {
        if (chosenRow() >= 0)
            emit deleteRequested(chosenRow());
    });
    // The message shown is the current row's, whatever made it current.
    connect(m_list->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] {
        showChosen();
        updateButtons();
        if (chosenRow() >= 0)
            emit messageChosen(chosenRow());
    });
    CurrentFollowsSelection(*m_list);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 3);
    layout->addWidget(m_detail, 2);
    layout->addWidget(m_progress);
    layout->addWidget(m_statusArea);
    layout->addWidget(buttons);
    resize(620, 460);
    fitStatus();
    updateButtons();
}

void InboxDialog::setEntries(std::vector<InboxEntry> entries, const NameLookup& names) {
    // The chosen message stays chosen when it is still there.
    const auto chosen = chosenRow() >= 0 ? m_entries[static_cast<std::size_t>(chosenRow())].parts
                                         : std::vector<StoredMessage>{};
    const QSignalBlocker quiet(m_list);
    const QSignalBlocker quietChoice(m_list->selectionModel());
    m_entries = std::move(entries);
    m_names.clear();
    m_list->clear();
    QTreeWidgetItem* again = nullptr;
    for (const InboxEntry& e : m_entries) {
        const QString name = e.message && names ? names(e.message->pdu.number) : QString();
        m_names.push_back(name);
        auto* row = new QTreeWidgetItem(m_list);
        row->setText(When, e.message ? LocalTime(e.message->pdu.timestamp) : QString());
        const QString who = e.message ? (name.isEmpty() ? Q(e.message->pdu.number) : name) : QString("?");
        row->setText(From, e.message && e.message->pdu.type == PduType::Submit ? tr("To %1").arg(who) : who);
        row->setText(Message, InboxRowText(e));
        if (!chosen.empty() && e.parts == chosen)
            again = row;
    }
    m_list->setCurrentItem(again);
    showChosen();
    updateButtons();
}

void InboxDialog::setReading(bool reading) {
    m_reading = reading;
    m_progress->setVisible(reading);
    m_progress->setRange(0, 0);
    updateButtons();
}

void InboxDialog::setProgress(int done, int total) {
    m_progress->setRange(0, std::max(total, 1));
    m_progress->setValue(std::min(done, std::max(total, 1)));
}

void InboxDialog::setPhoneReady(bool ready) {
    m_ready = ready;
    updateButtons();
}

void InboxDialog::setNotDeletable(const QString& why) {
    m_deletable = why.isEmpty();
    m_delete->setToolTip(why);
    updateButtons();
}

void InboxDialog::setStatus(const QString& text) {
    m_status->setText(text);
    fitStatus();
}

void InboxDialog::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    fitStatus();
}

// As tall as the status's lines at the dialog's width, at most four.
void InboxDialog::fitStatus() {
    const int line = m_status->fontMetrics().lineSpacing();
    const int needed = m_status->heightForWidth(m_statusArea->width());
    m_statusArea->setFixedHeight(std::clamp(needed, line, 4 * line));
}

QString InboxDialog::statusText() const { return m_status->text(); }

int InboxDialog::rows() const { return m_list->topLevelItemCount(); }

QString InboxDialog::rowText(int row, int column) const {
    const QTreeWidgetItem* item = m_list->topLevelItem(row);
    return item ? item->text(column) : QString();
}

int InboxDialog::chosenRow() const {
    return m_list->currentItem() ? m_list->indexOfTopLevelItem(m_list->currentItem()) : -1;
}

void InboxDialog::choose(int row) { m_list->setCurrentItem(m_list->topLevelItem(row)); }

QString InboxDialog::detailText() const { return m_detail->toPlainText(); }

QString InboxDialog::sender(int row) const {
    if (row < 0 || static_cast<std::size_t>(row) >= m_entries.size())
        return QString();
    const auto at = static_cast<std::size_t>(row);
    return InboxSender(m_entries[at], m_names[at]);
}

void InboxDialog::showChosen() {
    const int row = chosenRow();
    if (row < 0 || static_cast<std::size_t>(row) >= m_entries.size()) {
        m_detail->clear();
        return;
    }
    const auto at = static_cast<std::size_t>(row);
    m_detail->setPlainText(Detail(m_entries[at], m_names[at]));
}

void InboxDialog::updateButtons() {
    m_read->setEnabled(m_ready && !m_reading);
    m_delete->setEnabled(m_ready && m_deletable && !m_reading && chosenRow() >= 0);
}

} // namespace velmora
