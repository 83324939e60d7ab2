// The window and the other Velmora programs. Beside one that holds the
// modems (velmorad) it is a front end: it says so where the link's lamps
// would be, sends through that program, follows its messages from the
// events it tells and from its store, read only, and turns off what needs
// the port itself. Holding the modem itself, it answers them on the bus.

#include "ApiHost.h"
#include "BatchBuilder.h"
#include "DesktopNotifier.h"
#include "InboxDialog.h"
#include "MessageStore.h"
#include "MessageWords.h"
#include "MessagesWindow.h"
#include "OutboxWindow.h"
#include "Prompter.h"
#include "QtText.h"
#include "Recipients.h"
#include "RunningMessagesDialog.h"
#include "StoreLocation.h"
#include "TForm1.h"
#include "Terms.h"
#include "Translations.h"
#include "ui_TForm1.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

namespace velmora {

namespace {

// A user looks at the lamps' strip and the status bar; the strip's place
// holds this instead while the window works through another program.
QLabel* FrontEndLabel(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName("lblFrontEnd");
    label->setTextFormat(Qt::PlainText);
    // Never wider than the strip the window gives it.
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    label->setMinimumWidth(0);
    return label;
}

} // namespace

void TForm1::StartFrontEnd() {
    auto& ui = *m_ui;
    // The program's store, when the window may read it, shows the history
    // and the outbox as the program writes them; it is never written here.
    if (const QString path = m_running->storePath(); !path.isEmpty() && StoreMayOpen(path, false)) {
        if (auto opened = MessageStore::Open(path, MessageStore::Access::Read))
            m_runningStore = std::move(opened.value());
    }
    m_store = m_runningStore.get();

    // The lamps, line signals and gauges are the port's: the strip says
    // whose modems the window uses instead.
    for (QWidget* w : std::initializer_list<QWidget*>{
             ui.ComLed1, ui.lblComLed1, ui.ComLed2, ui.lblComLed2, ui.ComLed3, ui.lblComLed3, ui.shpCTS,
             ui.lblCTS, ui.shpDSR, ui.lblDSR, ui.shpRLSD, ui.lblRLSD, ui.lblRSSICaption, ui.pbarRSSI,
             ui.lblRSSI, ui.lblBERCaption, ui.pbarBER, ui.lblBER})
        w->hide();
    m_frontEnd = FrontEndLabel(ui.Panel4);
    ui.layPanel4->insertWidget(0, m_frontEnd, 1);
    m_takeModem = new QPushButton(tr("&Take the Modem"), ui.Panel4);
    m_takeModem->setObjectName("btnTakeModem");
    m_takeModem->hide();
    ui.layPanel4->insertWidget(1, m_takeModem);
    m_takeModemItem = new QAction(tr("&Take the Modem"), this);
    m_takeModemItem->setObjectName("mnuTakeModem");
    m_takeModemItem->setVisible(false);
    ui.mnuCommunication->insertAction(ui.mnuClosePort, m_takeModemItem);
    connect(m_takeModem, &QPushButton::clicked, this, &TForm1::mnuTakeModemClick);
    connect(m_takeModemItem, &QAction::triggered, this, &TForm1::mnuTakeModemClick);

    RunningProgram* running = m_running.get();
    connect(running, &RunningProgram::stateChanged, this, &TForm1::RunningStateChanged);
    connect(running, &RunningProgram::received, this, &TForm1::RunningReceived);
    connect(running, &RunningProgram::vanished, this, &TForm1::RunningVanished);
    connect(running, &RunningProgram::returned, this, &TForm1::RunningReturned);

    m_runningModems = m_running->modems();
    SetFrontEndControls();
    ShowFrontEnd();
}

QString TForm1::frontEndText() const { return m_frontEnd ? m_frontEnd->text() : QString(); }

// The strip keeps its words while the status bar goes on to say what each
// send does; the strip's are short, so that the window keeps its width in
// any language, and its tip and the status bar say the whole.
void TForm1::ShowFrontEnd() {
    const QString name = m_running->name();
    QString shown, said;
    if (m_runningGone) {
        shown = tr("%1 has stopped.").arg(name);
        said = tr("%1 has stopped: nothing can be sent until it runs again or this window takes the modem.")
                   .arg(name);
    } else {
        shown = said = m_runningModems.size() == 1
                           ? tr("Working through %1 (1 modem)").arg(name)
                           : tr("Working through %1 (%2 modems)").arg(name).arg(m_runningModems.size());
    }
    m_frontEnd->setText(shown);
    m_frontEnd->setToolTip(m_runningGone ? said
                                         : tr("%1 holds the modems: this window sends through it and shows "
                                              "its messages.")
                                               .arg(name));
    m_frontEnd->setAccessibleName(said);
    m_ui->imgClose->setVisible(m_runningGone);
    m_ui->imgOpen->setVisible(!m_runningGone);
    m_ui->imgOpen->move(m_ui->imgClose->pos());
    m_takeModem->setVisible(m_runningGone);
    m_takeModemItem->setVisible(m_runningGone);
    m_ui->bitSendSMS->setEnabled(!m_runningGone && !m_asking);
    m_inbox->setPhoneReady(!m_runningGone);
    ShowStatus(said);
}

// What needs the port itself is off, each saying why where the user
// points at it; what the program does for the window stays on.
void TForm1::SetFrontEndControls() {
    auto& ui = *m_ui;
    const QString why =
        tr("%1 holds the modem: this window cannot use the port itself.").arg(m_running->name());
    // The phone's inbox is read by the program, and only read.
    m_inbox->setNotDeletable(
        tr("%1 holds the phone: messages cannot be deleted from it here.").arg(m_running->name()));
    const QList<QAction*> portItems{ui.mnuOpenPort,
                                    ui.mnuClosePort,
                                    ui.mnuFindPhone,
                                    ui.mnuFastDialogue,
                                    ui.mnuSerialPort->menuAction(),
                                    ui.mnuBaudrate->menuAction(),
                                    ui.mnuMobile,
                                    ui.mnuReadSIM,
                                    ui.mnuNewEntry,
                                    ui.mnuEditEntry,
                                    ui.mnuDeleteEntry,
                                    ui.mnuImportContacts};
    for (QAction* item : portItems) {
        item->setEnabled(false);
        item->setToolTip(why);
        item->setStatusTip(why);
    }
    if (auto* ussd = findChild<QAction*>("mnuUssd")) {
        // It follows the link, which never comes up here; the program
        // answers velmora-cli's USSD sessions.
        const QString through =
            tr("%1 holds the modem: ask it with velmora-cli ussd CODE.").arg(m_running->name());
        ussd->setToolTip(through);
        ussd->setStatusTip(through);
    }
    for (QMenu* menu : {ui.mnuCommunication, ui.mnuPhonebook, ui.mnuHelp})
        menu->setToolTipsVisible(true);
    ui.bitPhonebook->setEnabled(false);
    ui.bitPhonebook->setToolTip(why);
    // A report is asked of the network with each message sent through it.
    ui.mnuDeliveryReport->setEnabled(true);
}

// Every kind goes as the request the compose tabs make; the program
// checks it again and answers with BuildMessage's words when it refuses.
void TForm1::SendThroughRunning() {
    if (m_runningGone || m_asking)
        return;
    const QStringList words = SplitRecipients(m_ui->txtHPNo->text());
    MessageRequest request = ComposedMessage();
    if (words.size() <= 1) {
        // One number: refused here with the field to mend, as without a program.
        const auto job = BuildMessage(request);
        if (!job) {
            QString why = Localized(job.error().text);
            if (!why.isEmpty())
                why[0] = why[0].toUpper();
            Refuse(why, FieldWidget(job.error().field));
            return;
        }
    }
    // Groups and phone-book names are looked up in the program's store.
    const BatchRecipients listed = RecipientsFromList(words, m_store, request);
    QStringList numbers;
    for (const BatchRecipient& r : listed.recipients)
        numbers << Q(r.request.destination);
    QStringList leftOut;
    for (const RecipientProblem& p : listed.problems)
        leftOut << QString("%1: %2").arg(p.who, p.why);
    if (numbers.isEmpty()) {
        Refuse(tr("Nothing was queued:\n%1").arg(leftOut.join('\n')), m_ui->txtHPNo);
        return;
    }
    if (!leftOut.isEmpty() &&
        !m_prompter->Ask(this, tr("These cannot be sent to:\n%1\n\nQueue the message to the other %2?")
                                   .arg(leftOut.join('\n'), QString::number(numbers.size()))))
        return;
    request.destination.clear();
    m_asking = true;
    m_ui->bitSendSMS->setEnabled(false);
    m_ui->memDebug->clear();
    m_ui->imgStatus->hide();
    m_ui->imgOK->hide();
    m_running->send(
        numbers, RequestToJson(request), m_settings.DeliveryReport,
        [this, numbers](RunningProgram::Queued queued) { QueuedThroughRunning(numbers, std::move(queued)); });
}

// The request the failed message was made from, as a new message.
void TForm1::ResendThroughRunning(qint64 id) {
    if (m_runningGone || m_asking || !m_store)
        return;
    const auto record = m_store->Message(id);
    if (!record || record->request.isEmpty()) {
        Refuse(tr("Nothing was sent: %1").arg(tr("the message is not in the history")), nullptr);
        return;
    }
    m_asking = true;
    m_ui->bitSendSMS->setEnabled(false);
    const QStringList numbers{record->number};
    m_running->send(
        numbers, record->request, m_settings.DeliveryReport,
        [this, numbers](RunningProgram::Queued queued) { QueuedThroughRunning(numbers, std::move(queued)); });
}

void TForm1::QueuedThroughRunning(const QStringList& numbers, RunningProgram::Queued queued) {
    m_asking = false;
    m_ui->bitSendSMS->setEnabled(!m_runningGone);
    if (!queued) {
        Refuse(tr("Nothing was sent: %1").arg(queued.error()), nullptr);
        return;
    }
    m_sentThrough = queued.value();
    const QString name = m_running->name();
    const QString said = m_sentThrough.size() == 1
                             ? tr("Queued through %1 as message %2").arg(name).arg(m_sentThrough.front())
                             : tr("Queued through %1: %2 messages").arg(name).arg(m_sentThrough.size());
    ShowStatus(said);
    m_ui->memDebug->setPlainText(QString("%1\n%2").arg(said, numbers.join(", ")));
    // The program may have told of the message's steps before its answer
    // came: what the store says now is shown.
    if (m_sentThrough.size() == 1 && m_store)
        if (const auto record = m_store->Message(m_sentThrough.front());
            record && record->state != msg::State::Queued)
            RunningStateChanged(record->id, msg::StateName(record->state), {}, 0);
}

// The newest message sent says in the status bar how it goes; every one
// changes its rows in the Messages and Outbox windows, and the status bar's
// batch progress is read again after a pause, as for the window's own.
void TForm1::RunningStateChanged(qint64 id, const QString& state, const QString& reason, uint part) {
    if (m_runningMessages && part == 0)
        m_runningMessages->changed();
    if (m_messages)
        m_messages->messageChanged(id);
    const bool ours = m_sentThrough.size() == 1 && m_sentThrough.front() == id;
    qint64 batch = 0;
    std::optional<MessageRecord> record;
    if (m_store && (part == 0 || ours || m_outboxWindow))
        record = m_store->Message(id);
    if (record)
        batch = record->batch;
    if (m_outboxWindow) {
        m_outboxWindow->messageChanged(id);
        if (batch > 0)
            m_outboxWindow->batchChanged(batch);
    }
    if (batch > 0 || m_outboxBar->isVisible()) {
        m_outboxChanged = batch > 0 ? batch : m_outboxBatch;
        if (!m_outboxDelay->isActive())
            m_outboxDelay->start();
    }
    if (!ours)
        return;
    if (part > 0) {
        // Part N has gone to the phone; the next one, when there is one, goes now.
        if (reason == "sent" && record && part < record->parts.size())
            ShowStatus(tr("Sending SMS Part (%1)").arg(part + 1));
        return;
    }
    const auto known = msg::StateFromName(state.toStdString());
    if (!known)
        return;
    const QString words = record ? StateWords(*record) : StateWords(*known, msg::Reason::None, std::nullopt);
    ShowStatus(words);
    m_ui->memDebug->setPlainText(words);
    switch (*known) {
    case msg::State::Sent:
    case msg::State::Delivered:
        m_ui->imgStatus->hide();
        ShowResultIndicators();
        break;
    case msg::State::Failed:
    case msg::State::Uncertain:
    case msg::State::NotDelivered:
    case msg::State::Cancelled:
        m_ui->imgStatus->show();
        ShowResultIndicators();
        break;
    default:
        break;
    }
}

void TForm1::RunningReceived(qint64 id, const QString&, const QString& number, const QString& text) {
    if (m_runningMessages)
        m_runningMessages->changed();
    if (m_messages)
        m_messages->messageChanged(id);
    const QString who = NameOf(S(number));
    ShowStatus(tr("New message from %1").arg(who));
    m_notifier->notify(tr("New message from %1").arg(who), text);
}

// Only while the port is open: a window that let the modem go would take
// messages velmora-cli could send itself, and leave them queued.
void TForm1::HoldName(bool hold) {
    if (!m_setup.answerOnBus || m_running)
        return;
    if (!hold) {
        m_apiHost.reset();
        return;
    }
    if (m_apiHost)
        return;
    auto host = std::make_unique<api::ApiHost>(*m_centre, DaemonConfig{});
    if (const auto started = host->start(); !started) {
        // Another program took the name meanwhile; it keeps it, and the
        // window sends as before.
        m_ui->memDebug->appendPlainText(started.error());
        return;
    }
    if (host->busNotice().isEmpty())
        m_apiHost = std::move(host);
}

void TForm1::ReadPhoneThroughRunning() {
    if (m_runningGone)
        return;
    m_inbox->setReading(true);
    m_inbox->setStatus(tr("Reading the messages on the phone ..."));
    m_running->readPhone([this](Result<RunningProgram::PhoneRead, QString> read) {
        if (!read) {
            m_inbox->setReading(false);
            m_inbox->setStatus(tr("%1 could not read the phone: %2").arg(m_running->name(), read.error()));
            return;
        }
        InboxRead(true, read->messages, false, read->problems);
    });
}

bool TForm1::ShowRunningMessages() {
    if (!m_running || m_store)
        return false;
    if (!m_runningMessages)
        m_runningMessages = std::make_unique<RunningMessagesDialog>(*m_running, this);
    m_runningMessages->show();
    m_runningMessages->raise();
    m_runningMessages->refresh();
    return true;
}

// The program may only be restarting (an upgrade, a reload): the window
// never takes the modem by itself, or the program would find its port
// taken when it comes back. It says so and offers to; the user decides.
void TForm1::RunningVanished() {
    m_runningGone = true;
    ShowFrontEnd();
}

void TForm1::RunningReturned() {
    m_runningGone = false;
    m_runningModems = m_running->modems();
    ShowFrontEnd();
}

TForm1::Draft TForm1::draft() const {
    return {m_ui->txtHPNo->text(), m_ui->memText->toPlainText(), m_ui->PageControl1->currentIndex()};
}

void TForm1::setDraft(const Draft& draft) {
    m_ui->PageControl1->setCurrentIndex(draft.tab);
    m_ui->txtHPNo->setText(draft.destination);
    m_ui->memText->setPlainText(draft.text);
}

void TForm1::mnuTakeModemClick() {
    if (!m_runningGone)
        return;
    emit takeModemRequested();
}

} // namespace velmora
