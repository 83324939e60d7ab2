#include "UssdDialog.h"

#include "DialogPlacement.h"
#include "QtText.h"
#include "Translations.h"
#include "UssdSettings.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace velmora {

UssdDialog::UssdDialog(PhoneLink& link, UssdDialogSetup setup, QWidget* parent)
    : QDialog(parent), m_link(link), m_setup(std::move(setup)), m_stop(std::make_shared<std::atomic<bool>>()),
      m_code(new QComboBox(this)), m_session(new QPlainTextEdit(this)), m_reply(new QLineEdit(this)),
      m_status(new QLabel(this)), m_send(new QPushButton(tr("&Send"), this)),
      m_cancel(new QPushButton(tr("&End Session"), this)) {
    setObjectName("UssdDialog");
    setWindowTitle(tr("USSD"));
    KeepOnScreen(*this, {Side::Right, Side::Left, Side::Below});
    m_code->setObjectName("cboUssdCode");
    m_code->setEditable(true);
    m_code->setInsertPolicy(QComboBox::NoInsert);
    m_code->setAccessibleName(tr("USSD code"));
    m_code->lineEdit()->setPlaceholderText(tr("for example *123#"));
    m_code->lineEdit()->setMaxLength(182);
    m_session->setObjectName("txtUssdSession");
    m_session->setAccessibleName(tr("Session"));
    m_session->setReadOnly(true);
    m_session->setPlaceholderText(tr("What was sent and what the network said appears here."));
    m_reply->setObjectName("txtUssdReply");
    m_reply->setAccessibleName(tr("Reply"));
    m_reply->setMaxLength(182);
    m_reply->setPlaceholderText(tr("when the network asks for a reply"));
    m_status->setObjectName("lblUssdStatus");
    m_status->setTextFormat(Qt::PlainText);
    m_status->setWordWrap(true);
    m_send->setObjectName("btnUssdSend");
    m_send->setDefault(true);
    m_cancel->setObjectName("btnUssdCancel");
    // Enter sends, in the code and in the reply: never this button, which
    // takes the focus when the reply field is disabled under it.
    m_cancel->setAutoDefault(false);
    m_cancel->setToolTip(tr("Ends the session with the network"));

    auto* fields = new QFormLayout;
    fields->addRow(tr("&Code:"), m_code);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->setObjectName("btnCloseUssd");
    buttons->addButton(m_send, QDialogButtonBox::ActionRole);
    buttons->addButton(m_cancel, QDialogButtonBox::ActionRole);
    auto* replyRow = new QFormLayout;
    replyRow->addRow(tr("&Reply:"), m_reply);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(m_session, 1);
    layout->addLayout(replyRow);
    layout->addWidget(m_status);
    layout->addWidget(buttons);
    resize(420, 360);

    connect(buttons, &QDialogButtonBox::rejected, this, &UssdDialog::reject);
    connect(m_send, &QPushButton::clicked, this, &UssdDialog::send);
    connect(m_cancel, &QPushButton::clicked, this, &UssdDialog::cancelSession);
    // The modem's name keys what was found out about it.
    connect(&m_link, &PhoneLink::identity, this, [this](const QString& manufacturer, const QString& model) {
        m_modemKey = UssdModemKey(manufacturer.toLatin1().toStdString(), model.toLatin1().toStdString());
    });
    connect(&m_link, &PhoneLink::stateChanged, this,
            [this](PhoneLink::State state) { setPhoneReady(PhoneLink::IsUp(state)); });
    loadRecent();
    setPhoneReady(m_link.isUp());
}

UssdDialog::~UssdDialog() {
    if (!inSession())
        return;
    // The window is going: the network is told, nothing waits for its word.
    m_stop->store(true);
    if (!m_inFlight)
        m_link.withSession(PhoneLink::State::Ussd,
                           [worker = m_worker](PhoneSession&) -> std::function<void()> {
                               if (worker->dialogue)
                                   worker->dialogue->End();
                               worker->dialogue.reset();
                               return {};
                           });
    // No one is told: the Messages window may be gone before this one.
    if (m_kept && m_setup.service)
        m_setup.service->endUssd(m_kept, UssdEndingOf(m_last, true), false);
}

void UssdDialog::loadRecent() {
    const QString typed = m_code->currentText();
    m_code->clear();
    for (const std::string& code : LoadUssdSettings(m_setup.settingsFile, "").recent)
        m_code->addItem(Q(code));
    m_code->setEditText(typed);
}

void UssdDialog::setPhoneReady(bool ready) {
    m_ready = ready;
    // A menu the network had open went with the phone.
    if (!ready && m_open && !m_inFlight) {
        m_worker = std::make_shared<Worker>();
        ended(tr("The phone was disconnected; the session is over."),
              UssdEnding{msg::State::Failed, msg::Reason::LinkLost, {}});
    }
    updateControls();
}

void UssdDialog::updateControls() {
    m_code->setEnabled(!inSession());
    m_send->setEnabled(m_ready && !m_inFlight);
    m_reply->setEnabled(m_open && !m_inFlight);
    m_cancel->setEnabled(inSession());
}

QString UssdDialog::transcript() const { return m_session->toPlainText(); }

void UssdDialog::addLine(const QString& line) {
    m_session->appendPlainText(line);
    if (m_kept && m_setup.service)
        if (const QString problem = m_setup.service->ussdLine(m_kept, line); !problem.isEmpty())
            m_status->setText(tr("The session is not kept: %1").arg(problem));
}

void UssdDialog::send() {
    if (m_inFlight)
        return;
    if (m_open) {
        const QString reply = m_reply->text().trimmed();
        if (reply.isEmpty()) {
            m_status->setText(tr("Type the reply the network asks for, or end the session."));
            return;
        }
        m_reply->clear();
        addLine("> " + reply);
        request(reply);
        return;
    }
    const QString code = m_code->currentText().trimmed();
    if (code.isEmpty()) {
        m_status->setText(tr("Type a code, for example *123# for the balance."));
        return;
    }
    if (!m_ready) {
        m_status->setText(tr("Connect to the phone first."));
        return;
    }
    if (!m_setup.fastDialogue || !m_setup.fastDialogue()) {
        m_status->setText(tr("USSD needs the Fast Dialogue: turn on Communication > Fast Dialogue, "
                             "then send the code again."));
        return;
    }
    m_session->clear();
    m_status->clear();
    m_last = UssdAnswer{};
    QString problem;
    m_kept = m_setup.service ? m_setup.service->beginUssd(code, &problem) : 0;
    if (!problem.isEmpty())
        m_status->setText(tr("The session is not kept: %1").arg(problem));
    if (SaveUssdRecent(m_setup.settingsFile, S(code)))
        loadRecent();
    m_stop = std::make_shared<std::atomic<bool>>(false);
    addLine("> " + code);
    request(code);
}

void UssdDialog::request(const QString& text) {
    m_inFlight = true;
    updateControls();
    m_status->setText(tr("Waiting for the network ..."));
    const auto settings = LoadUssdSettings(m_setup.settingsFile, m_modemKey);
    const UssdWire wire = settings.Wire();
    const bool remembered = settings.forced == UssdWire::Unknown;
    m_link.withSession(
        PhoneLink::State::Ussd,
        [worker = m_worker, stop = m_stop, text = S(text), wire, remembered, waitMs = m_setup.waitMs,
         self = QPointer<UssdDialog>(this)](PhoneSession& session) -> std::function<void()> {
            if (!worker->dialogue)
                worker->dialogue = std::make_unique<UssdDialogue>(session, wire, waitMs, remembered);
            UssdDialogue& dialogue = *worker->dialogue;
            const UssdAnswer answer = dialogue.Send(text, [stop] { return stop->load(); });
            const UssdWire found = dialogue.Wire();
            const bool learnt = dialogue.Learnt();
            if (!dialogue.Open() || stop->load()) {
                // Done, or no answer came: the network is told.
                dialogue.End();
                worker->dialogue.reset();
            }
            return [self, answer, found, learnt] {
                if (self)
                    self->answered(answer, found, learnt);
            };
        });
}

QString UssdDialog::plainly(const UssdAnswer& a) const {
    using K = UssdAnswer::Kind;
    switch (a.kind) {
    case K::Done:
    case K::Asks:
        return a.text.empty() ? tr("The network answered without words.") : QString();
    case K::EndedByNetwork:
        return tr("The network ended the session.");
    case K::OtherClient:
        return tr("Another program on the phone took the network's answer.");
    case K::NotSupported:
        return tr("The network does not support this code.");
    case K::NetworkTimeout:
        return tr("The network's time for the session ran out.");
    case K::Refused:
        return tr("The phone refused the request: %1").arg(FromPhone(a.detail));
    case K::NoAnswer:
        return tr("No answer from the network within %1 s; the session was ended.")
            .arg(m_setup.waitMs / 1000);
    case K::Stopped:
        return tr("Cancelled; the session was ended.");
    case K::Unreadable:
        return tr("The phone's answer could not be read: %1").arg(FromPhone(a.detail));
    case K::BadRequest:
        return tr("Not sent: %1").arg(Localized(a.detail));
    case K::NeedsFast:
        return tr("USSD needs the Fast Dialogue: turn on Communication > Fast Dialogue.");
    case K::NotConnected:
    case K::LinkLost:
        break;
    }
    return tr("The phone is not connected.");
}

void UssdDialog::answered(const UssdAnswer& answer, UssdWire wire, bool learnt) {
    m_inFlight = false;
    m_last = answer;
    if (learnt) {
        const UssdSettings known = LoadUssdSettings(m_setup.settingsFile, m_modemKey);
        if (known.forced == UssdWire::Unknown && !m_modemKey.empty())
            SaveUssdWire(m_setup.settingsFile, m_modemKey, wire);
    }
    if (!answer.text.empty())
        addLine(Q(answer.text));
    const QString said = plainly(answer);
    if (!said.isEmpty() && answer.kind != UssdAnswer::Kind::Stopped)
        addLine("[" + said + "]");
    if (answer.kind == UssdAnswer::Kind::Asks && !m_stop->load()) {
        m_open = true;
        m_status->setText(tr("The network asks for a reply."));
        updateControls();
        m_reply->setFocus();
        return;
    }
    const bool cancelled = m_stop->load();
    ended(cancelled ? tr("Cancelled; the session was ended.") : QString(), UssdEndingOf(answer, cancelled));
}

void UssdDialog::ended(const QString& why, const UssdEnding& ending) {
    m_open = false;
    m_inFlight = false;
    if (!why.isEmpty())
        addLine("[" + why + "]");
    if (m_kept && m_setup.service) {
        m_setup.service->endUssd(m_kept, ending);
        m_kept = 0;
    }
    m_status->setText(
        NetworkAnswered(m_last.kind) && ending.state == msg::State::Sent ? tr("The session is over.") : why);
    updateControls();
}

void UssdDialog::cancelSession() {
    if (!inSession())
        return;
    m_stop->store(true);
    if (m_inFlight)
        return; // the request ends at the stop and tells the network itself
    m_inFlight = true;
    updateControls();
    m_link.withSession(
        PhoneLink::State::Ussd,
        [worker = m_worker, self = QPointer<UssdDialog>(this)](PhoneSession&) -> std::function<void()> {
            if (worker->dialogue)
                worker->dialogue->End();
            worker->dialogue.reset();
            return [self] {
                if (self)
                    self->ended(UssdDialog::tr("Cancelled; the session was ended."),
                                UssdEndingOf(self->m_last, true));
            };
        });
}

void UssdDialog::reject() {
    cancelSession();
    QDialog::reject();
}

} // namespace velmora
