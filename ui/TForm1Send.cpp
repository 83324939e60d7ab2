// The send button's dispatch, the text tab and the destination field.

#include "Prompter.h"
#include "SMSLibU.h"
#include "TForm1.h"
#include "ui_TForm1.h"

#include <algorithm>

namespace velmora {

namespace {

// A line break is sent as carriage return and line feed, whatever the
// widget keeps.
std::u16string ForSending(const QString& text) {
    QString s = text;
    s.replace("\r\n", "\n").replace('\n', "\r\n");
    return s.toStdU16String();
}

// The shared reasons start in lower case, as a command line prints them.
QString Sentence(const std::string& reason) {
    QString s = QString::fromStdString(reason);
    if (!s.isEmpty())
        s[0] = s[0].toUpper();
    return s;
}

} // namespace

void TForm1::bitSendSMSClick() {
    if (m_sending)
        return;
    m_ui->bitSendSMS->setEnabled(false);
    m_ui->memDebug->clear();
    const int tab = m_ui->PageControl1->currentIndex();
    const auto request = tab == 0 ? TextBranch() : ContentBranch(tab);
    const auto job = request ? BuildMessage(*request) : Result<MessageJob>::Fail("");
    if (request && !job)
        m_prompter->Warning(this, Sentence(job.error()));
    if (!job) {
        ShowResultIndicators();
        SetConnectedUI(PhoneLink::IsUp(m_linkState));
        return;
    }
    QStringList pdus;
    for (const auto& pdu : job->pdus)
        pdus << QString::fromStdString(pdu);
    m_sending = true;
    m_parts = static_cast<int>(pdus.size());
    if (m_parts > 1)
        ShowStatus("Sending SMS Part (1)");
    m_link->submit(pdus, QString::fromStdString(job->number));
}

// Every part is sent, whatever the one before did; the failure picture
// shows the last part's outcome.
void TForm1::Submitted(int part, SubmitOutcome outcome) {
    m_ui->imgStatus->setVisible(outcome != SubmitOutcome::Sent);
    if (part + 1 < m_parts)
        ShowStatus(QString("Sending SMS Part (%1)").arg(part + 2));
}

void TForm1::SendFinished(bool /*allSent*/) {
    m_sending = false;
    ShowResultIndicators();
    SetConnectedUI(PhoneLink::IsUp(m_linkState));
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

// Empty, or anything but up to 20 digits once "+" and a leading 0 are
// dealt with: refused before anything is built.
bool TForm1::DestinationGiven() {
    const QString typed = m_ui->txtHPNo->text();
    if (typed.isEmpty()) {
        Refuse("Please Fill Destination Mobile Number !", m_ui->txtHPNo);
        return false;
    }
    if (const auto number = CheckDestination(typed.toStdString()); !number) {
        Refuse(Sentence(number.error()), m_ui->txtHPNo);
        return false;
    }
    return true;
}

std::optional<MessageRequest> TForm1::TextBranch() {
    if (!DestinationGiven())
        return std::nullopt;
    MessageRequest r;
    r.kind = MessageKind::Text;
    r.destination = m_ui->txtHPNo->text().toStdString();
    r.text = ForSending(m_ui->memText->toPlainText());
    r.flash = m_ui->chkFlash->isChecked();
    r.blink = m_ui->chkBlink->isChecked();
    if (!r.flash) {
        const std::u32string missing = UnencodableCharacters(r.text);
        if (!missing.empty()) {
            Refuse("A normal text message cannot carry " +
                       QString::fromStdU32String(missing).split("", Qt::SkipEmptyParts).join(' ') +
                       " . Remove them, or send the text as a Flash Message, which carries any character.",
                   m_ui->memText);
            return std::nullopt;
        }
    }
    return r;
}

std::optional<MessageRequest> TForm1::ContentBranch(int tab) {
    auto& ui = *m_ui;
    const auto digits = [](const QString& s, int n) {
        return s.size() == n && std::all_of(s.begin(), s.end(), [](QChar c) { return c >= '0' && c <= '9'; });
    };
    if (tab == 1 && (!digits(ui.txtMCC->text(), 3) || !digits(ui.txtNC->text(), 2))) {
        Refuse("Unknown Mobile Operator, Please select provider or fill MCC and NC !", nullptr);
        return std::nullopt;
    }
    if (!DestinationGiven())
        return std::nullopt;
    struct Content {
        MessageKind kind;
        QPlainTextEdit* memo;
        const char* empty;
        QWidget* browse;
    };
    const Content contents[] = {
        {MessageKind::Text, nullptr, nullptr, nullptr},
        {MessageKind::Logo, ui.memHexLogo, "Please choose operator logo !", ui.bitBrowse},
        {MessageKind::Group, ui.memHexGG, "Please choose grouph graphic !", ui.bitBrowseGG},
        {MessageKind::Picture, ui.memHexPM, "Please choose picture message !", ui.bitBrowsePM},
        {MessageKind::Ringtone, ui.memHexRT, "Please choose RTTTL ringtone !", ui.bitBrowseRT}};
    MessageRequest r;
    r.destination = ui.txtHPNo->text().toStdString();
    if (tab >= 1 && tab <= 4) {
        const Content& c = contents[tab];
        if (c.memo->toPlainText().isEmpty()) {
            Refuse(c.empty, c.browse);
            return std::nullopt;
        }
        r.kind = c.kind;
        r.content = c.memo->toPlainText().toStdString();
        r.mcc = ui.txtMCC->text().toStdString();
        r.nc = ui.txtNC->text().toStdString();
    } else if (tab == 5) {
        r.kind = MessageKind::Void;
    } else if (tab == 6) {
        r.kind = MessageKind::Indicator;
        r.indicatorKind = ui.rdoEmail->isChecked() ? Email : ui.rdoFax->isChecked() ? Fax : Voicemail;
        r.active = ui.rdoActive->isChecked();
    } else {
        r.kind = MessageKind::Ems;
        r.text = ui.memEMS->toPlainText().toStdU16String();
    }
    return r;
}

// Septets for a normal message (an extension character counts two), UTF-16
// units for a flash message; a line break counts two either way.
int TForm1::TextUnits(const QString& text) const {
    const std::u16string s = ForSending(text);
    if (m_ui->chkFlash->isChecked())
        return static_cast<int>(s.size());
    int units = 0;
    for (char16_t c : s) {
        const int n = CountSeptets(std::u16string_view(&c, 1));
        units += n < 0 ? 1 : n; // refused when sent, counted as one meanwhile
    }
    return units;
}

// Typing and pasting stop at the limit: what was just put in is cut until
// the text fits.
void TForm1::memTextChange() {
    if (m_rewritingText)
        return;
    QPlainTextEdit* memo = m_ui->memText;
    QString now = memo->toPlainText();
    if (TextUnits(now) > m_textLimit) {
        const QString& before = m_acceptedText;
        qsizetype prefix = 0;
        while (prefix < before.size() && prefix < now.size() && before[prefix] == now[prefix])
            ++prefix;
        qsizetype suffix = 0;
        while (suffix < before.size() - prefix && suffix < now.size() - prefix &&
               before[before.size() - 1 - suffix] == now[now.size() - 1 - suffix])
            ++suffix;
        QString inserted = now.mid(prefix, now.size() - prefix - suffix);
        const QString head = now.left(prefix), tail = now.right(suffix);
        while (!inserted.isEmpty() && TextUnits(head + inserted + tail) > m_textLimit)
            inserted.chop(inserted.size() > 1 && inserted.back().isLowSurrogate() ? 2 : 1);
        now = head + inserted + tail;
        m_rewritingText = true;
        memo->setPlainText(now);
        QTextCursor cursor = memo->textCursor();
        cursor.setPosition(static_cast<int>(prefix + inserted.size()));
        memo->setTextCursor(cursor);
        m_rewritingText = false;
    }
    m_acceptedText = now;
    m_ui->lblLeftChar->setText(QString::number(m_textLimit - TextUnits(now)));
}

void TForm1::chkFlashClick() {
    const bool flash = m_ui->chkFlash->isChecked();
    m_ui->chkBlink->setEnabled(flash);
    m_textLimit = flash ? 69 : 160;
    m_ui->lblDescription->setText(flash ? "Maximum 69 Characters" : "Maximum 160 Characters");
    QString text = m_ui->memText->toPlainText();
    if (TextUnits(text) > m_textLimit) {
        while (TextUnits(text) > m_textLimit)
            text.chop(text.size() > 1 && text.back().isLowSurrogate() ? 2 : 1);
        m_rewritingText = true;
        m_ui->memText->setPlainText(text);
        m_rewritingText = false;
    }
    m_acceptedText = text;
    m_ui->lblLeftChar->setText(QString::number(m_textLimit - TextUnits(text)));
}

void TForm1::btnClearClick() {
    m_ui->memText->clear();
    m_ui->memText->setFocus();
}

void TForm1::btnClearEMSClick() {
    m_ui->memEMS->clear();
    m_ui->memEMS->setFocus();
}

// "+" signs go, a leading 0 becomes the country code 62, and the number's
// network fills MCC and NC. Rewriting the edit comes back here once more,
// which then finds nothing left to change.
void TForm1::txtHPNoChange() {
    QString text = m_ui->txtHPNo->text();
    QString normal = text;
    normal.remove('+');
    if (normal.startsWith('0'))
        normal.replace(0, 1, "62");
    if (normal != text) {
        const int caret = m_ui->txtHPNo->cursorPosition() + static_cast<int>(normal.size() - text.size());
        m_ui->txtHPNo->setText(normal);
        m_ui->txtHPNo->setCursorPosition(std::max(0, caret));
        return;
    }
    const MccNc network = SplitNetworkCode(NetworkCodeForNumber(normal.toStdString()));
    m_ui->txtMCC->setText(QString::fromStdString(network.mcc));
    m_ui->txtNC->setText(QString::fromStdString(network.nc));
}

void TForm1::PageControl1Change(int index) {
    if (m_selectingTab)
        return;
    auto& ui = *m_ui;
    switch (index) {
    case 0:
        ui.lblFName->clear();
        break;
    case 1:
        ui.lblFName->setText(ui.txtLogoFile->text());
        // Read once per connection; the link answers at once when it is current.
        if (PhoneLink::IsUp(m_linkState))
            m_link->readOperators();
        break;
    case 2:
        ui.lblFName->setText(ui.txtGroupFile->text());
        break;
    case 3:
        ui.lblFName->setText(ui.txtPMFile->text());
        break;
    case 4:
        ui.lblFName->setText(ui.txtRTFile->text());
        break;
    case 7:
        ui.cboAnimation->setCurrentIndex(0);
        ui.cboSound->setCurrentIndex(0);
        ui.memEMS->setFocus();
        break;
    default:
        break;
    }
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
