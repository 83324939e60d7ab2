// The send button's dispatch, the text tab and the destination field.

#include "ConcatReference.h"

#include "ContentTabs.h"
#include "Gsm7.h"
#include "Inbox.h"
#include "MessageReader.h"
#include "MessageStore.h"
#include "MessageWords.h"
#include "PduDecoder.h"
#include "Prompter.h"
#include "QtText.h"
#include "Recipients.h"
#include "SMSLibU.h"
#include "StatusReport.h"
#include "TForm1.h"
#include "Tab.h"
#include "Terms.h"
#include "TextTab.h"
#include "Translations.h"
#include "ui_TForm1.h"

#include <QCoreApplication>

#include <algorithm>
#include <utility>

namespace velmora {

namespace {

// The shared reasons start in lower case, as a command line prints them.
QString Sentence(const std::string& reason) {
    QString s = Localized(reason);
    if (!s.isEmpty())
        s[0] = s[0].toUpper();
    return s;
}

// What the reports so far say of a message as a whole: the first part the
// network could not deliver, else "Delivered" once every part is, else how
// many are; nothing before the first report.
QString ReportStatus(const MessageRecord& m) {
    int delivered = 0;
    for (const PartRecord& p : m.parts) {
        if (!p.reportStatus)
            continue;
        if (!IsDelivered(*p.reportStatus))
            return Localized(StatusText(*p.reportStatus));
        ++delivered;
    }
    const auto n = static_cast<int>(m.parts.size());
    if (delivered == 0)
        return {};
    if (delivered == n)
        return QCoreApplication::translate("TForm1", "Delivered");
    return QCoreApplication::translate("TForm1", "Delivered (%1 of %2)").arg(delivered).arg(n);
}

} // namespace

void TForm1::bitSendSMSClick() {
    if (m_running) {
        SendThroughRunning();
        return;
    }
    // Several recipients are queued, whatever is being sent now.
    if (const QStringList words = SplitRecipients(m_ui->txtHPNo->text()); SendsToMany(words)) {
        SendToMany(words);
        return;
    }
    if (m_sending)
        return;
    m_ui->bitSendSMS->setEnabled(false);
    m_ui->memDebug->clear();
    const MessageRequest request = ComposedMessage();
    const auto job = BuildMessage(request);
    if (!job) {
        QString why = Sentence(job.error().text);
        // Long / Unicode, on this very tab, sends any character: the refusal names it.
        if (request.kind == MessageKind::Text && !request.longText && !request.flash &&
            !UnencodableCharacters(request.text).empty())
            why = tr("%1 Turn on Long / Unicode to send them.").arg(why);
        Refuse(why, FieldWidget(job.error().field));
        ShowResultIndicators();
        SetConnectedUI(m_link->isUp());
        return;
    }
    QStringList pdus;
    for (const auto& pdu : job->pdus)
        pdus << Q(pdu);
    m_parts = static_cast<int>(pdus.size());
    if (m_parts > 1)
        ShowStatus(tr("Sending SMS Part (%1)").arg(1));
    else if (m_reportShown)
        ShowStatus(QString()); // the report was of the message before
    // Recorded before it goes; a store that cannot take it keeps it here.
    const auto sent = m_service->send(request);
    if (!sent) {
        Refuse(tr("Nothing was sent: %1").arg(terms::StoreProblemText(sent.error().store)), nullptr);
        ShowStatus(QString());
        ShowResultIndicators();
        SetConnectedUI(m_link->isUp());
        return;
    }
    m_sending = true;
    m_lastSent = pdus;
    m_lastMessage = sent.value()->id();
    m_service->release(sent.value()); // followed through the service's signals
}

// A failed or uncertain message, as it was asked for, as a new message.
void TForm1::Resend(qint64 id) {
    if (m_running) {
        ResendThroughRunning(id);
        return;
    }
    if (m_sending || !m_link->isUp()) {
        m_prompter->Warning(this, m_sending ? tr("A message is being sent; send this one after it.")
                                            : tr("Please Open Communication Port !"));
        return;
    }
    const auto sent = m_service->resend(id);
    if (!sent) {
        const SendRefusal& why = sent.error();
        Refuse(tr("Nothing was sent: %1")
                   .arg(why.kind == SendRefusal::Store ? terms::StoreProblemText(why.store)
                                                       : Sentence(why.invalid.text)),
               nullptr);
        return;
    }
    m_ui->memDebug->clear();
    m_ui->bitSendSMS->setEnabled(false);
    m_parts = sent.value()->partCount();
    if (m_parts > 1)
        ShowStatus(tr("Sending SMS Part (%1)").arg(1));
    m_sending = true;
    m_lastMessage = sent.value()->id();
    m_service->release(sent.value());
}

// Into the compose tabs, for a number the user gives: a logo, a picture or a
// tune into its tab, anything else as text.
void TForm1::Forward(const MessageRecord& message) {
    std::vector<DecodedPdu> parts;
    for (const PartRecord& p : message.parts)
        if (auto decoded = DecodePdu(p.pdu.toStdString()))
            parts.push_back(std::move(decoded.value()));
    const auto read = parts.empty() ? Result<ReadMessage>::Fail("") : ReadParts(parts);
    if (read && read->kind != ContentKind::Text && m_content->showReceived(*read)) {
        ShowStatus(tr("The %1 is in its tab.").arg(KindInSentence(ContentKindName(read->kind))));
    } else {
        m_ui->PageControl1->setCurrentIndex(IndexOf(Tab::TextSms));
        m_ui->memText->setPlainText(message.text);
    }
    m_ui->txtHPNo->clear();
    activateWindow();
    raise();
    m_ui->txtHPNo->setFocus();
}

// Every part is sent, whatever the one before did; the failure picture
// shows the last part's outcome.
void TForm1::Submitted(const PartOutcome& part) {
    if (part.id != m_lastMessage)
        return;
    m_ui->imgStatus->setVisible(part.outcome != SubmitOutcome::Sent);
    if (part.part + 1 < m_parts)
        ShowStatus(tr("Sending SMS Part (%1)").arg(part.part + 2));
}

void TForm1::SendFinished() {
    m_sending = false;
    ShowResultIndicators();
    SetConnectedUI(m_link->isUp());
}

// A report is of one part. The status bar and the monitor tell of the
// newest message only, as a whole: "Delivered" once every part is; an
// earlier message's report changes only its record.
void TForm1::MessageChanged(qint64 id, msg::State state) {
    if (id != m_lastMessage)
        return;
    switch (state) {
    case msg::State::Queued:
    case msg::State::Sending:
    case msg::State::Received:
    case msg::State::Cancelled: // only a batch's, never the window's own
        return;
    case msg::State::Failed:
    case msg::State::Uncertain:
        if (m_sending)
            SendFinished();
        return;
    case msg::State::Sent:
    case msg::State::Delivered:
    case msg::State::NotDelivered:
        break;
    }
    if (m_sending) {
        SendFinished();
        return; // the send itself; a report comes later
    }
    const auto record = m_store ? m_store->Message(id) : std::nullopt;
    const QString said = record ? ReportStatus(*record) : QString();
    if (said.isEmpty())
        return;
    ShowStatus(said);
    m_reportShown = true;
    m_ui->memDebug->setPlainText(said);
}

// The success picture stands where the failure picture would.
void TForm1::ShowResultIndicators() {
    if (m_ui->imgStatus->isVisible()) {
        m_ui->imgOK->hide();
        return;
    }
    m_ui->imgOK->move(m_ui->imgStatus->pos());
    m_ui->imgOK->show();
}

void TForm1::Refuse(const QString& text, QWidget* focus) {
    m_prompter->Warning(this, text);
    if (focus)
        focus->setFocus();
}

// Where the user is put after a refusal: the field it is about.
QWidget* TForm1::FieldWidget(RefusedField field) const {
    const auto& ui = *m_ui;
    switch (field) {
    case RefusedField::Destination:
        return ui.txtHPNo;
    case RefusedField::Text:
        return ui.memText;
    case RefusedField::ContentSource:
        return m_content->source(m_content->current());
    case RefusedField::None:
        break;
    }
    return nullptr;
}

// What the current tab holds, as the request BuildMessage checks and builds.
MessageRequest TForm1::ComposedMessage() const {
    const auto& ui = *m_ui;
    MessageRequest r;
    r.kind = KindOf(m_content->current());
    r.destination = S(ui.txtHPNo->text());
    r.countryCode = m_settings.CountryCode;
    r.mcc = S(ui.txtMCC->text());
    r.nc = S(ui.txtNC->text());
    switch (r.kind) {
    case MessageKind::Text:
        r.text = TextTab::ForSending(ui.memText->toPlainText());
        r.flash = ui.chkFlash->isChecked();
        r.blink = ui.chkBlink->isChecked();
        // Long and Unicode together: the coding follows the text, and each
        // long text takes the run's next reference.
        r.longText = r.unicode = m_text->longMode();
        if (r.longText)
            r.concatReference = NextConcatReference();
        break;
    case MessageKind::Indicator:
        r.indicatorKind = ui.rdoEmail->isChecked() ? Email : ui.rdoFax->isChecked() ? Fax : Voicemail;
        r.active = ui.rdoActive->isChecked();
        break;
    case MessageKind::Ems:
        r.text = ui.memEMS->toPlainText().toStdU16String();
        break;
    case MessageKind::Void:
        break;
    default:
        r.content = S(m_content->memo(m_content->current())->toPlainText());
        break;
    }
    return r;
}

void TForm1::memTextChange() { m_text->textChanged(); }

void TForm1::chkFlashClick() { m_text->flashChanged(); }

void TForm1::chkLongClick() { m_text->longChanged(); }

void TForm1::btnClearClick() { m_text->clear(); }

void TForm1::btnClearEMSClick() {
    m_ui->memEMS->clear();
    m_ui->memEMS->setFocus();
}

// "+" signs go, a leading 0 becomes the country code, and the number's
// network fills MCC and NC. Rewriting the edit comes back here once more,
// which then finds nothing left to change.
void TForm1::txtHPNoChange() {
    QString text = m_ui->txtHPNo->text();
    QString normal = text;
    normal.remove('+');
    normal = Q(WithCountryCode(S(normal), m_settings.CountryCode));
    if (normal != text) {
        const int caret = m_ui->txtHPNo->cursorPosition() + static_cast<int>(normal.size() - text.size());
        m_ui->txtHPNo->setText(normal);
        m_ui->txtHPNo->setCursorPosition(std::max(0, caret));
        return;
    }
    const MccNc network = SplitNetworkCode(NetworkCodeForNumber(S(normal)));
    m_ui->txtMCC->setText(Q(network.mcc));
    m_ui->txtNC->setText(Q(network.nc));
}

void TForm1::PageControl1Change(int index) {
    const Tab tab = TabAt(index).value_or(Tab::TextSms);
    // A tune plays only while its tab is shown, however the page changed.
    if (tab != Tab::Ringtone)
        m_content->stopTune();
    if (m_content->selecting())
        return;
    m_content->entered(tab);
    // Read once per connection; the link answers at once when it is current.
    if (tab == Tab::OperatorLogo && m_link->isUp())
        m_link->readOperators();
}

void TForm1::OperatorsRead(bool read, const QStringList& items) {
    if (!read)
        return;
    m_ui->cboProvider->clear();
    m_ui->cboProvider->addItems(items);
}

void TForm1::cboProviderClick(int index) {
    const QString item = m_ui->cboProvider->itemText(index);
    m_ui->txtMCC->setText(item.left(3));
    m_ui->txtNC->setText(item.mid(3, 2));
}

} // namespace velmora
