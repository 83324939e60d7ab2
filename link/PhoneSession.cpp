#include "PhoneSession.h"

#include "ModemIdentity.h"
#include "Said.h"

#include <algorithm>

namespace velmora {

PhoneSession::PhoneSession(SerialLink& port, Clock& clock, SessionEvents& events)
    : m_port(port), m_clock(clock), m_events(events) {
    m_port.SetLampListener([this](LedSignal lamp, bool on) { m_events.Lamp(lamp, on); });
}

PhoneSession::~PhoneSession() { m_port.SetLampListener(nullptr); }

std::string PhoneSession::AwaitReply(int intervalMs, int polls) {
    std::string reply;
    for (int poll = 1;; ++poll) {
        m_clock.Sleep(intervalMs);
        reply = m_port.ReceiveText(m_port.PendingInputBytes());
        if (!reply.empty() || poll >= polls)
            return reply;
    }
}

void PhoneSession::CollectReplies(std::string& target, int intervalMs, int rounds) {
    for (int round = 0; round < rounds; ++round) {
        m_clock.Sleep(intervalMs);
        target += m_port.ReceiveText(m_port.PendingInputBytes());
    }
}

void PhoneSession::Send(const std::string& command) { m_port.SendText(command); }

void PhoneSession::DiscardInput() {
    if (const int pending = m_port.PendingInputBytes(); pending > 0)
        m_port.ReceiveText(pending);
}

void PhoneSession::SetPolling(bool on) {
    m_pollingOn = on;
    m_events.SignalPolling(on);
}

void PhoneSession::LinkProblem(const std::string& what) {
    m_lastLinkError = what;
    m_events.Problem(ProblemKind::LinkError, what);
}

// Names the device and speed tried, and the link's reason when it gave one.
void PhoneSession::ConnectFailed() {
    m_events.Problem(ProblemKind::ConnectFailed, m_port.ConnectFailure(m_lastLinkError));
}

void PhoneSession::ShowRefusal(const std::string& reply) {
    std::string refusal = PhoneRefusal(reply);
    if (refusal.empty())
        return;
    // Only the fast dialogue can ask for the PIN and give it.
    if (m_dialogue == Dialogue::Classic && AsksForSimPin(reply))
        refusal += translate("PhoneSession", "; use Fast Dialogue to enter the PIN");
    m_events.Problem(ProblemKind::PhoneRefused, refusal);
}

void PhoneSession::ShowLineSignals() { m_events.LineSignalsRead(m_port.ReadLineSignals()); }

namespace {

// The first line of a reply that can answer `command`: lines a phone sent
// by itself in front of it ("+PACSP0", "Call Ready") are passed over, each
// with its line end, so the answer after them keeps its own shape.
std::string FirstAnswerLine(std::string_view reply, std::string_view command) {
    for (;;) {
        std::string line = FirstReplyLine(reply);
        if (line.empty() || !CannotAnswer(line, command))
            return line;
        if (reply.substr(0, 2) == "\r\n")
            reply.remove_prefix(2);
        reply.remove_prefix(std::min(reply.size(), line.size() + 2));
    }
}

} // namespace

std::string PhoneSession::ReadIdentityField(const char* command, const char* status) {
    m_events.Status(status);
    return FirstAnswerLine(Ask(command, 200, 10), command);
}

std::string PhoneSession::ReadImei() {
    // Some modems give the number alone, with no OK after it: the line is
    // the answer then, as for AT+CPIN?.
    const FinalResult result = Exchange("AT+CGSN\r", kFast.commandMs, false, {}, kFast.lineOnlyMs);
    if (result != FinalResult::Ok && result != FinalResult::None)
        return "";
    return ImeiFromLines(m_reader.Lines());
}

std::string PhoneSession::ReadOperator() {
    // As for AT+CGSN: some modems give the line with no OK after it.
    const FinalResult result = Exchange("AT+COPS?\r", kFast.commandMs, false, {}, kFast.lineOnlyMs);
    if (result != FinalResult::Ok && result != FinalResult::None)
        return "";
    return OperatorFromLines(m_reader.Lines());
}

std::optional<std::string> PhoneSession::PeekImei() {
    if (m_port.Connected())
        return std::nullopt;
    const auto close = [this] {
        try {
            m_port.SetConnected(false);
        } catch (const EComPort&) {
            // released all the same; a device looked at in passing has nothing to report
        }
    };
    try {
        m_port.SetConnected(true);
        // As at connect: a PDU left half-written is cancelled first.
        Send(std::string(1, kEscape));
        m_clock.Sleep(kFast.settleMs);
        std::optional<std::string> imei;
        if (Settle())
            imei = ReadImei();
        close();
        return imei;
    } catch (const EComPort&) {
        close();
        return std::nullopt;
    } catch (...) {
        close();
        throw;
    }
}

bool PhoneSession::StillAnswers() {
    if (!IsConnected() || m_dialogue != Dialogue::Fast)
        return true;
    try {
        return Exchange("AT\r", kFast.commandMs) != FinalResult::None;
    } catch (const EComPort& e) {
        LinkLostDuring(e);
        return false;
    }
}

void PhoneSession::CloseQuietly() {
    try {
        m_port.SetConnected(false);
    } catch (const EComPort& e) {
        // The device is released all the same; say why for whoever listens.
        LinkProblem(e.what());
    }
}

bool PhoneSession::Connect(int portNumber, int baudRate) {
    const std::string number = std::to_string(portNumber);
    if (m_port.Connected()) {
        m_events.Status(
            Fill(translate("PhoneSession", "Port %1 already open, please disconnect first before you want "
                                           "to use another serial port !"),
                 {number}));
        m_events.SignalBar(3);
        return true;
    }
    m_signalFailures = 0;
    m_missedInARow = 0;
    m_simStopped = false;
    m_identity.IMEI.clear();
    m_identity.Operator.clear();
    m_reportRoute = 0;
    m_awaitingReports.clear();
    m_storedReports.clear();
    m_arrivals.clear();
    m_storage.clear();
    m_announcing = false;
    m_lastLinkError.clear();
    m_port.SetPort(number);
    m_port.SetCustomBaudRate(baudRate);
    bool iconOpen = false;
    try {
        m_port.SetConnected(true);
        m_port.SetDataTerminalReady(true);
        m_port.SetRequestToSend(true);
        // A run stopped between at+cmgs= and its PDU (killed, unplugged)
        // leaves the phone taking every byte as PDU text, deaf to commands
        // until it is reset. Escape cancels the PDU (27.005 3.5.1) and a
        // phone at its commands ignores it. It goes before the settling
        // pause, which gives the phone time to come back, and whatever the
        // phone says to it is not the answer to what follows: the classic
        // dialogue lets it go, the fast one's reader takes it as left over
        // (keeping a +CMTI that came meanwhile).
        Send(std::string(1, kEscape));
        const bool fast = m_dialogue == Dialogue::Fast;
        m_clock.Sleep(fast ? kFast.settleMs : 1000);
        if (!fast)
            DiscardInput();
        ShowLineSignals();
        m_events.Status(translate("PhoneSession", "Communication Port Open"));
        m_events.Status(translate("PhoneSession", "Initialization"));
        // The fast dialogue asks "AT" until the line has settled instead of
        // trusting a fixed second.
        std::string echoOff;
        if (!fast) {
            Send("ate0\r");
            echoOff = AwaitReply(1500, 5);
        } else if (Settle()) {
            echoOff = Ask("ate0\r", 0, 0);
        }
        if (!Holds(echoOff, "OK")) {
            CloseQuietly();
            m_events.Status(translate("PhoneSession", "No Response From Mobile Phone !"));
            ShowRefusal(echoOff);
            ConnectFailed();
            return false;
        }
        iconOpen = true;
        m_events.StateChanged(SessionState::PortOpen);
        m_refusalAfterConnect.clear();
        if (fast && !UnlockSim()) {
            m_simStopped = true;
            CloseQuietly();
            m_events.StateChanged(SessionState::Disconnected);
            m_events.Identity(m_identity);
            ConnectFailed();
            ShowRefusal(m_refusalAfterConnect);
            return false;
        }
        m_identity.Manufacturer = ReadIdentityField("at+cgmi\r", "Get manufacture id code");
        std::string upper = m_identity.Manufacturer;
        for (char& c : upper)
            c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
        m_isSiemens = upper.find("SIEMENS") != std::string::npos;
        m_identity.Model = ReadIdentityField("at+cgmm\r", "Get model id code");
        m_identity.Revision = ReadIdentityField("at+cgmr\r", "Get GSM telephone version");
        m_identity.IMSI = ReadIdentityField("at+cimi\r", "Get IMSI");
        m_identity.ServiceCentre = ReadIdentityField("at+csca?\r", "Get SMS Service Center");
        m_identity.IMEI = fast ? ReadImei() : std::string();
        m_identity.Operator = fast ? ReadOperator() : std::string();
    } catch (const EComPort& e) {
        CloseQuietly();
        if (iconOpen) {
            // The port is closed again: nothing may go on saying open.
            m_events.StateChanged(SessionState::Disconnected);
            m_events.Identity(m_identity);
        }
        m_events.Status(Fill(translate("PhoneSession", "Unable to open port %1 !"), {number}));
        LinkProblem(e.what());
        ConnectFailed();
        return false;
    }
    m_events.Identity(m_identity);
    m_events.Status(translate("PhoneSession", "Initialization Complete"));
    SetPolling(true);
    m_events.StateChanged(SessionState::Connected);
    m_phonebookStale = true;
    m_operatorListStale = true;
    m_events.SignalBar(3);
    return true;
}

void PhoneSession::Disconnect() {
    m_signalFailures = 0;
    m_reportRoute = 0;
    m_awaitingReports.clear();
    m_storedReports.clear();
    m_arrivals.clear();
    m_storage.clear();
    m_announcing = false;
    CloseQuietly();
    m_events.Status(translate("PhoneSession", "Communication Port Close"));
    SetPolling(false);
    m_events.StateChanged(SessionState::Disconnected);
}

void PhoneSession::LinkLostDuring(const EComPort& e) {
    Disconnect();
    m_events.Status(
        Fill(translate("PhoneSession", "Connection to the phone lost (%1), please check data cable "
                                       "connection !"),
             {e.what()}));
    LinkProblem(e.what());
}

} // namespace velmora
