#include "MessagesWindow.h"

#include "Translations.h"

#include "ChosenRow.h"
#include "ConversationModel.h"
#include "DialogPlacement.h"
#include "HistoryReader.h"
#include "InboxDialog.h"
#include "MessageListModel.h"
#include "MessageReader.h"
#include "MessageRowDelegate.h"
#include "MessageWords.h"
#include "Pictures.h"
#include "Prompter.h"
#include "QtText.h"
#include "StatusReport.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QSplitter>
#include <QTableView>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

namespace velmora {

namespace {

// Typing pauses this long before the history is searched: a word typed
// quickly is one search, not one a letter.
const int kSearchDelayMs = 150;
// A search starts at three characters: fewer match much of any history and
// would each read all of it, where three are found through the store's
// index of every three characters.
const int kSearchFrom = 3;
// Several changes of a send in a row renew the conversations once.
const int kConversationDelayMs = 250;

QString Stamp(const QDateTime& utc) { return utc.toLocalTime().toString("yyyy-MM-dd HH:mm:ss"); }

// The message read again from its PDUs, as the inbox reads a stored one.
Result<ReadMessage> ReadRecord(const MessageRecord& m) {
    std::vector<DecodedPdu> decoded;
    for (const PartRecord& p : m.parts) {
        auto pdu = DecodePdu(S(p.pdu));
        if (!pdu)
            return Result<ReadMessage>::Fail(S(QCoreApplication::translate("MessagesWindow", "part %1: %2")
                                                   .arg(QString::number(p.part), Localized(pdu.error()))));
        decoded.push_back(std::move(pdu.value()));
    }
    if (decoded.empty())
        return Result<ReadMessage>::Fail(S(QCoreApplication::translate("MessagesWindow", "no PDU was kept")));
    return ReadParts(decoded);
}

// `state`: the message's, which says whether a part without an answer went.
QString PartLine(const PartRecord& p, std::size_t parts, msg::State state) {
    const QString part = QString::number(p.part), of = QString::number(parts);
    QStringList said;
    if (p.reference)
        said << QCoreApplication::translate("MessagesWindow", "reference %1").arg(*p.reference);
    if (!p.answer.isEmpty())
        said << QCoreApplication::translate("MessagesWindow", "the phone answered \"%1\"")
                    .arg(p.answer.simplified());
    if (p.reportStatus)
        said << QCoreApplication::translate("MessagesWindow", "report: %1 (TP-ST %2)")
                    .arg(Localized(StatusText(*p.reportStatus)), QString::number(*p.reportStatus));
    if (said.isEmpty())
        return (state == msg::State::Cancelled
                    ? QCoreApplication::translate("MessagesWindow", "Part %1 of %2: never sent")
                : state == msg::State::Queued || state == msg::State::Sending
                    ? QCoreApplication::translate("MessagesWindow", "Part %1 of %2: not sent yet")
                    : QCoreApplication::translate("MessagesWindow",
                                                  "Part %1 of %2: no answer of the phone's was recorded"))
            .arg(part, of);
    return QCoreApplication::translate("MessagesWindow", "Part %1 of %2: %3").arg(part, of, said.join("; "));
}

// The message sent again in place of another, or the one that took its
// place: when it was written and how it stands, which tell it apart in the
// list; its number alone when it is gone from the history.
QString ResentLine(const MessageRecord& m, MessageStore* store) {
    const qint64 other = m.replaces ? m.replaces : m.replacedBy;
    if (!other)
        return QString();
    const auto o = store ? store->Message(other) : std::nullopt;
    const QString which = o ? QCoreApplication::translate("MessagesWindow", "the message of %1 (%2)")
                                  .arg(ShownTime(MessageTime(*o)), StateWords(*o))
                            : QCoreApplication::translate("MessagesWindow", "message %1").arg(other);
    return m.replaces ? QCoreApplication::translate("MessagesWindow", "Sent again in place of %1").arg(which)
                      : QCoreApplication::translate("MessagesWindow", "Sent again as %1").arg(which);
}

QString Detail(const MessageRecord& m, const Result<ReadMessage>& read, const QString& resent) {
    QStringList lines;
    const bool out = m.direction == msg::Direction::Out;
    lines << (out ? QCoreApplication::translate("MessagesWindow", "To: %1")
                  : QCoreApplication::translate("MessagesWindow", "From: %1"))
                 .arg(Correspondent(m.name, m.number));
    lines << QCoreApplication::translate("MessagesWindow", "State: %1").arg(StateWords(m));
    if (!resent.isEmpty())
        lines << resent;
    if (m.state == msg::State::NotDelivered && m.reasonCode)
        lines << QCoreApplication::translate("MessagesWindow", "The network says: %1")
                     .arg(Localized(StatusText(*m.reasonCode)));
    const std::pair<const char*, QDateTime> times[] = {
        {out ? QT_TRANSLATE_NOOP("MessagesWindow", "Written: %1")
             : QT_TRANSLATE_NOOP("MessagesWindow", "Recorded: %1"),
         m.created},
        {QT_TRANSLATE_NOOP("MessagesWindow", "Sent: %1"), m.sent},
        {QT_TRANSLATE_NOOP("MessagesWindow", "Delivered: %1"), m.delivered},
        {QT_TRANSLATE_NOOP("MessagesWindow", "Received: %1"), m.received},
    };
    for (const auto& [label, when] : times)
        if (when.isValid())
            lines << QCoreApplication::translate("MessagesWindow", label).arg(Stamp(when));
    if (!m.modemDevice.isEmpty() || !m.modemImsi.isEmpty()) {
        QStringList modem;
        if (!m.modemDevice.isEmpty())
            modem << m.modemDevice;
        if (!m.modemImsi.isEmpty())
            modem << "IMSI " + m.modemImsi;
        lines << QCoreApplication::translate("MessagesWindow", "Through: %1").arg(modem.join(", "));
    }
    if (out) {
        for (const PartRecord& p : m.parts)
            lines << PartLine(p, m.parts.size(), m.state);
    } else {
        std::vector<StoredMessage> places;
        for (const PartRecord& p : m.parts)
            if (!p.storage.isEmpty() && p.index)
                places.push_back({S(p.storage), *p.index, 0, {}});
        if (!places.empty())
            lines
                << QCoreApplication::translate("MessagesWindow", "Was kept at: %1").arg(StoredPlaces(places));
    }
    if (read)
        lines << ContentLines(*read);
    else
        lines << QCoreApplication::translate("MessagesWindow", "Kind: %1").arg(KindWords(m.kind))
              << QCoreApplication::translate("MessagesWindow", "Its PDUs could not be read again: %1")
                     .arg(Localized(read.error()));
    if (!m.complete)
        lines << QCoreApplication::translate("MessagesWindow",
                                             "Not every part has come: what came is shown.");
    if (!m.text.isEmpty())
        lines << QString() << m.text;
    return lines.join('\n');
}

// A logo or picture as the phone's screen shows it, as the window's Screen
// Appearance draws a received one.
QPixmap ScreenPicture(const ReadMessage& m, qreal dpr) {
    const QSize lcd(2 * PreviewImage::kWidth, 2 * PreviewImage::kHeight);
    QPixmap screen = PhoneScreenPicture(lcd, dpr);
    QPainter p(&screen);
    p.drawPixmap(6, 6, PreviewPicture(DrawPreview(m.content, m.kind == ContentKind::Picture, m.width)));
    return screen;
}

bool IsPicture(const ReadMessage& m) {
    return (m.kind == ContentKind::Logo || m.kind == ContentKind::Group || m.kind == ContentKind::Picture) &&
           !m.content.empty();
}

QPushButton* Button(const QString& text, const char* name, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    // Enter in the search or on a list never presses a button.
    b->setAutoDefault(false);
    return b;
}

} // namespace

MessagesWindow::MessagesWindow(MessageStore* store, Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_store(store), m_prompter(prompter), m_search(new QLineEdit(this)),
      m_conversationList(new QTreeView(this)), m_title(new QLabel(this)), m_messageList(new QTableView(this)),
      m_picture(new QLabel(this)), m_detail(new QPlainTextEdit(this)), m_status(new QLabel(this)),
      m_resend(Button(tr("&Resend"), "bitResend", this)),
      m_forward(Button(tr("&Forward"), "bitForward", this)), m_copy(Button(tr("&Copy"), "bitCopy", this)),
      m_delete(Button(tr("&Delete from History"), "bitDelete", this)), m_searchDelay(new QTimer(this)),
      m_conversationDelay(new QTimer(this)) {
    setObjectName("MessagesWindow");
    setWindowTitle(tr("Messages"));
    setWindowFlag(Qt::WindowMinMaxButtonsHint);
    KeepOnScreen(*this);

    m_search->setObjectName("txtSearch");
    m_search->setAccessibleName(tr("Search messages"));
    m_search->setPlaceholderText(tr("Search texts, names and numbers"));
    m_search->setClearButtonEnabled(true);
    m_conversationList->setRootIsDecorated(false);
    m_conversationList->setItemsExpandable(false);
    m_conversationList->setUniformRowHeights(true); // rows are measured once, not one by one
    m_conversationList->setAllColumnsShowFocus(true);
    // A table: rows of one height, laid out without a pass over the 100,000
    // of a long history as a tree view makes.
    m_messageList->verticalHeader()->hide();
    m_messageList->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_messageList->verticalHeader()->setDefaultSectionSize(MessageRowDelegate::RowHeight(fontMetrics()));
    m_messageList->horizontalHeader()->hide();
    m_messageList->horizontalHeader()->setStretchLastSection(true);
    m_messageList->setItemDelegate(new MessageRowDelegate(m_messageList));
    m_messageList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_messageList->setShowGrid(false);
    m_messageList->setWordWrap(false);
    m_messageList->setAlternatingRowColors(true);
    m_messageList->setTabKeyNavigation(false); // Tab leaves the list, as in the other lists
    m_messageList->setCornerButtonEnabled(false);
    for (QAbstractItemView* list : {static_cast<QAbstractItemView*>(m_conversationList),
                                    static_cast<QAbstractItemView*>(m_messageList)}) {
        list->setSelectionBehavior(QAbstractItemView::SelectRows);
        list->setSelectionMode(QAbstractItemView::SingleSelection);
    }
    m_conversationList->setObjectName("lvConversations");
    m_conversationList->setAccessibleName(tr("Conversations"));
    m_messageList->setObjectName("lvMessages");
    m_messageList->setAccessibleName(tr("Messages of the conversation"));
    m_messageList->installEventFilter(this);
    m_title->setObjectName("lblConversation");
    m_title->setTextFormat(Qt::PlainText);
    QFont bold = m_title->font();
    bold.setBold(true);
    m_title->setFont(bold);
    m_picture->setObjectName("imgMessage");
    m_picture->setAccessibleName(tr("Picture of the message"));
    m_picture->hide();
    m_detail->setObjectName("memMessage");
    m_detail->setAccessibleName(tr("Message"));
    m_detail->setReadOnly(true);
    m_detail->setTabChangesFocus(true);
    m_detail->setPlaceholderText(tr("Choose a message to read it in full."));
    m_status->setObjectName("lblMessagesStatus");
    m_status->setTextFormat(Qt::PlainText);
    m_resend->setToolTip(tr("Send a message that failed, or whose fate is not known, again"));
    m_forward->setToolTip(tr("Put the message into the tabs to send it on"));
    m_copy->setToolTip(tr("Copy the message's text"));
    auto* close = new QDialogButtonBox(QDialogButtonBox::Close, this);
    close->setObjectName("btnCloseMessages");
    for (QAbstractButton* b : close->buttons())
        if (auto* push = qobject_cast<QPushButton*>(b))
            push->setAutoDefault(false);

    auto* right = new QWidget(this);
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->addWidget(m_title);
    auto* readSplit = new QSplitter(Qt::Vertical, right);
    readSplit->addWidget(m_messageList);
    auto* detail = new QWidget(readSplit);
    auto* detailLayout = new QHBoxLayout(detail);
    detailLayout->setContentsMargins(0, 0, 0, 0);
    detailLayout->addWidget(m_picture, 0, Qt::AlignTop);
    detailLayout->addWidget(m_detail, 1);
    readSplit->addWidget(detail);
    readSplit->setStretchFactor(0, 3);
    readSplit->setStretchFactor(1, 2);
    rightLayout->addWidget(readSplit, 1);
    auto* split = new QSplitter(Qt::Horizontal, this);
    split->setObjectName("splMessages");
    split->setChildrenCollapsible(false);
    split->addWidget(m_conversationList);
    split->addWidget(right);
    split->setStretchFactor(1, 1);
    split->setSizes({250, 700});

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {m_resend, m_forward, m_copy, m_delete})
        buttons->addWidget(b);
    buttons->addWidget(m_status, 1);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_search);
    layout->addWidget(split, 1);
    layout->addLayout(buttons);

    m_searchDelay->setSingleShot(true);
    m_searchDelay->setInterval(kSearchDelayMs);
    m_conversationDelay->setSingleShot(true);
    m_conversationDelay->setInterval(kConversationDelayMs);
    connect(m_search, &QLineEdit::textChanged, m_searchDelay, qOverload<>(&QTimer::start));
    connect(m_search, &QLineEdit::returnPressed, this, &MessagesWindow::searchNow);
    connect(m_searchDelay, &QTimer::timeout, this, &MessagesWindow::searchNow);
    connect(m_conversationDelay, &QTimer::timeout, this, [this] {
        if (m_conversations)
            m_conversations->refresh();
    });
    connect(close, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_resend, &QPushButton::clicked, this, &MessagesWindow::resendClick);
    connect(m_forward, &QPushButton::clicked, this, &MessagesWindow::forwardClick);
    connect(m_copy, &QPushButton::clicked, this, &MessagesWindow::copyClick);
    connect(m_delete, &QPushButton::clicked, this, &MessagesWindow::deleteClick);
    // Enter on a conversation goes to its messages, the newest chosen.
    connect(m_conversationList, &QTreeView::activated, this, [this] { m_messageList->setFocus(); });
    auto* find = new QShortcut(QKeySequence::Find, this);
    connect(find, &QShortcut::activated, this, [this] {
        m_search->setFocus();
        m_search->selectAll();
    });

    resize(960, 600);
    makeModels();
}

MessagesWindow::~MessagesWindow() {
    // The reader's answers go to the models: it ends first.
    m_reader.reset();
}

void MessagesWindow::setStore(MessageStore* store) {
    if (store == m_store)
        return;
    m_store = store;
    makeModels();
}

void MessagesWindow::makeModels() {
    // The views let go of the models, and the reader ends, before the
    // models it answers go.
    for (QAbstractItemView* list : {static_cast<QAbstractItemView*>(m_conversationList),
                                    static_cast<QAbstractItemView*>(m_messageList)}) {
        QItemSelectionModel* old = list->selectionModel();
        list->setModel(nullptr);
        delete old; // a view keeps the old one for others who might share it
    }
    m_reader.reset();
    delete m_conversations;
    delete m_messages;
    m_conversations = nullptr;
    m_messages = nullptr;
    m_key.clear();
    m_chosenId.reset();
    m_problem.clear();
    if (!m_store) {
        m_problem = tr("The message history is not open.");
        m_title->clear();
        showChosen();
        updateStatus();
        updateButtons();
        return;
    }
    m_reader = std::make_unique<HistoryReader>(m_store->path(), HistoryReader::AccessFor(*m_store));
    connect(m_reader.get(), &HistoryReader::problem, this, [this](const QString& why) {
        m_problem = why;
        updateStatus();
    });
    m_conversations = new ConversationModel(*m_reader, this);
    m_messages = new MessageListModel(*m_reader, this);
    m_conversationList->setModel(m_conversations);
    m_messageList->setModel(m_messages);

    // Widths from the font, not from the rows: measuring the rows would
    // read every page of a long list.
    const QFontMetrics fm = fontMetrics();
    QHeaderView* ch = m_conversationList->header();
    ch->setStretchLastSection(false);
    ch->setSectionResizeMode(ConversationModel::Name, QHeaderView::Stretch);
    m_conversationList->setColumnWidth(ConversationModel::Last, fm.horizontalAdvance("2026-12-31") + 16);
    m_conversationList->setColumnHidden(ConversationModel::Count, true); // its tip says it
    // Each row draws all five columns in the first.
    for (int column = MessageListModel::Time + 1; column < MessageListModel::ColumnCount; ++column)
        m_messageList->setColumnHidden(column, true);

    connect(m_conversationList->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &MessagesWindow::conversationChosen);
    connect(m_messageList->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] {
        if (const MessageRecord* m = chosenMessage())
            m_chosenId = m->id;
        showChosen();
        updateButtons();
    });
    CurrentFollowsSelection(*m_conversationList);
    CurrentFollowsSelection(*m_messageList);
    connect(m_conversations, &ConversationModel::answered, this, &MessagesWindow::conversationsAnswered);
    connect(m_messages, &MessageListModel::counted, this, &MessagesWindow::messagesCounted);
    // A page read in may hold the chosen message: chosen again after the
    // list was made anew, or shown now that its row is read.
    connect(m_messages, &MessageListModel::rowsRead, this, [this] {
        if (!m_messageList->currentIndex().isValid() && m_chosenId) {
            const int row = m_messages->rowOf(*m_chosenId);
            if (row >= 0)
                chooseMessage(row);
        }
    });
    connect(m_messages, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex& from, const QModelIndex& to) {
                const int row = m_messageList->currentIndex().row();
                if (row >= from.row() && row <= to.row()) {
                    showChosen();
                    updateButtons();
                }
            });
    // The newest in sight stays in sight as new messages come; otherwise
    // the rows the user is reading stay where they are.
    connect(m_messages, &QAbstractItemModel::rowsAboutToBeInserted, this, [this] {
        const QScrollBar* bar = m_messageList->verticalScrollBar();
        m_atBottom = bar->value() == bar->maximum();
    });
    connect(m_messages, &QAbstractItemModel::rowsInserted, this, [this] {
        if (m_atBottom)
            m_messageList->scrollToBottom();
        updateStatus();
    });
    connect(m_messages, &QAbstractItemModel::rowsRemoved, this, &MessagesWindow::updateStatus);
    connect(m_messages, &MessageListModel::madeAnew, this, &MessagesWindow::updateStatus);

    // The messages are asked for first: they are what the user reads.
    m_tooShort = false;
    m_conversations->setSearch(QString(), false);
    m_search->clear();
    chooseConversation(ConversationModel::kAllKey);
    m_conversations->refresh();
    updateButtons();
}

void MessagesWindow::showAll() {
    chooseConversation(ConversationModel::kAllKey);
    show();
    raise();
    activateWindow();
}

void MessagesWindow::showSent() {
    chooseConversation(ConversationModel::kSentKey);
    show();
    raise();
    activateWindow();
}

bool MessagesWindow::chooseConversation(const QString& key) {
    if (!m_conversations)
        return false;
    const int row = m_conversations->rowOf(key);
    if (row < 0)
        return false;
    const QModelIndex at = m_conversations->index(row, 0);
    m_conversationList->setCurrentIndex(at);
    m_conversationList->scrollTo(at);
    conversationChosen(); // when it was current already
    return true;
}

void MessagesWindow::conversationChosen() {
    const int row = m_conversationList->currentIndex().row();
    const QString key = row >= 0 ? m_conversations->keyOf(row) : QString();
    if (key.isEmpty() || key == m_key)
        return;
    m_key = key;
    m_chosenId.reset();
    listMessages();
}

// The chosen conversation's messages that match the search.
void MessagesWindow::listMessages() {
    const int row = m_conversations->rowOf(m_key);
    m_title->setText(m_conversations->title(row));
    HistoryQuery query = m_conversations->queryOf(row);
    query.search = m_conversations->search();
    m_messages->setQuery(query);
    showChosen();
    updateStatus();
    updateButtons();
}

void MessagesWindow::searchNow() {
    m_searchDelay->stop();
    if (!m_conversations)
        return;
    const QString typed = m_search->text().trimmed();
    m_tooShort = !typed.isEmpty() && typed.size() < kSearchFrom;
    const QString search = m_tooShort ? QString() : typed;
    if (search == m_conversations->search()) {
        updateStatus();
        return;
    }
    m_conversations->setSearch(search, false);
    listMessages();
    m_conversations->refresh();
}

// The conversations listed anew: the one chosen stays chosen where the
// search still finds it, else every message is listed.
void MessagesWindow::conversationsAnswered(bool sameRows) {
    if (sameRows)
        return;
    const int row = m_conversations->rowOf(m_key);
    if (row < 0) {
        chooseConversation(ConversationModel::kAllKey);
        return;
    }
    m_conversationList->setCurrentIndex(m_conversations->index(row, 0));
}

void MessagesWindow::messagesCounted() {
    m_messageList->scrollToBottom();
    updateStatus();
}

const MessageRecord* MessagesWindow::chosenMessage() const {
    const QModelIndex at = m_messageList->currentIndex();
    return m_messages && at.isValid() ? m_messages->record(at.row()) : nullptr;
}

void MessagesWindow::chooseMessage(int row) {
    if (!m_messages)
        return;
    const QModelIndex at = m_messages->index(row, 0);
    m_messageList->setCurrentIndex(at);
    m_messageList->scrollTo(at);
}

QString MessagesWindow::detailText() const { return m_detail->toPlainText(); }

QString MessagesWindow::statusText() const { return m_status->text(); }

bool MessagesWindow::showsPicture() const { return !m_picture->isHidden(); }

void MessagesWindow::showChosen() {
    const MessageRecord* m = chosenMessage();
    if (!m) {
        m_detail->clear();
        m_picture->hide();
        return;
    }
    const Result<ReadMessage> read = ReadRecord(*m);
    m_detail->setPlainText(Detail(*m, read, ResentLine(*m, m_store)));
    if (read && IsPicture(*read)) {
        m_picture->setPixmap(ScreenPicture(*read, devicePixelRatioF()));
        m_picture->show();
    } else {
        m_picture->hide();
    }
}

void MessagesWindow::updateButtons() {
    const MessageRecord* m = chosenMessage();
    m_resend->setEnabled(m && CanResend(*m));
    m_forward->setEnabled(m && m->kind != "report");
    m_copy->setEnabled(m && !m->text.isEmpty());
    m_delete->setEnabled(m != nullptr);
}

void MessagesWindow::updateStatus() {
    if (!m_problem.isEmpty()) {
        m_status->setText(m_problem);
        return;
    }
    if (!m_messages || !m_messages->isCounted()) {
        m_status->setText(tr("Reading the history ..."));
        return;
    }
    if (m_tooShort) {
        m_status->setText(tr("Type %1 characters or more to search.").arg(kSearchFrom));
        return;
    }
    const int n = m_messages->rowCount();
    const QString search = m_conversations->search();
    if (search.isEmpty())
        m_status->setText(n == 0   ? tr("No messages yet.")
                          : n == 1 ? tr("1 message")
                                   : tr("%1 messages").arg(n));
    else
        m_status->setText(n == 0   ? tr("No message matches \"%1\".").arg(search)
                          : n == 1 ? tr("1 message matches \"%1\".").arg(search)
                                   : tr("%1 messages match \"%2\".").arg(QString::number(n), search));
}

void MessagesWindow::messageChanged(qint64 id) {
    if (!m_messages)
        return;
    m_messages->messageChanged(id);
    m_conversationDelay->start();
}

void MessagesWindow::resendClick() {
    const MessageRecord* m = chosenMessage();
    if (!m || !CanResend(*m))
        return;
    const qint64 id = m->id;
    // The question runs the event loop: the row may be read anew meanwhile.
    if (m_prompter.Ask(this, tr("Send this message to %1 again?").arg(m->number)))
        emit resendRequested(id);
}

void MessagesWindow::forwardClick() {
    if (const MessageRecord* m = chosenMessage())
        emit forwardRequested(*m);
}

void MessagesWindow::copyClick() {
    if (const MessageRecord* m = chosenMessage()) {
        QGuiApplication::clipboard()->setText(m->text);
        m_status->setText(tr("The text is copied."));
    }
}

void MessagesWindow::deleteClick() {
    const MessageRecord* m = chosenMessage();
    if (!m || !m_store)
        return;
    const qint64 id = m->id;
    const QString question =
        (m->direction == msg::Direction::Out ? tr("Delete this message to %1 from the history?")
                                             : tr("Delete this message from %1 from the history?"))
            .arg(Correspondent(m->name, m->number));
    if (!m_prompter.AskToDelete(this, question))
        return;
    const auto deleted = m_store->Delete(id);
    if (!deleted) {
        m_prompter.Warning(this, tr("The message was not deleted: %1").arg(Localized(deleted.error())));
        return;
    }
    messageChanged(id);
}

bool MessagesWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_messageList)
        return QDialog::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        deleteClick();
        return true;
    }
    // Coming to the messages with none chosen, the newest is: a view would
    // choose the oldest, a whole history away.
    if (event->type() == QEvent::FocusIn && !m_messageList->currentIndex().isValid() && m_messages &&
        m_messages->rowCount() > 0)
        chooseMessage(m_messages->rowCount() - 1);
    return QDialog::eventFilter(watched, event);
}

} // namespace velmora
