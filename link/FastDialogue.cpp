#include "PhoneSession.h"

#include "Said.h"

#include "StatusReport.h"

#include <algorithm>

namespace velmora {

namespace {

// Short polls while an answer is usually on its way, longer ones once the
// network is taking its time: fast answers stay fast and a two-minute wait
// for the network costs little.
constexpr int kQuickPollMs = 2;
constexpr int kSlowPollMs = 20;
constexpr int kQuickPhaseMs = 200;

} // namespace

void PhoneSession::DrainInput() {
    if (const int pending = m_port.PendingInputBytes(); pending > 0)
        m_reader.Feed(m_port.ReceiveText(pending));
}

FinalResult PhoneSession::Exchange(const std::string& command, int deadlineMs, bool promptEnds,
                                   const StopRequested& stop, int lineEndsMs) {
    // Whatever came before the command is not its answer.
    m_reader.Abandon();
    DrainInput();
    m_reader.Start(command, promptEnds);
    // A port that stopped draining takes the command only in part, if at
    // all: no answer can come, and the wait for one would only add to it.
    if (m_port.SendText(command) < static_cast<int>(command.size())) {
        m_reader.Abandon();
        ++m_missedInARow;
        return FinalResult::None;
    }
    const std::int64_t start = m_clock.NowMs();
    std::optional<std::int64_t> lineAt; // when the answer's first line came
    bool answered = false;              // the phone said something to this command
    for (;;) {
        DrainInput();
        if (m_reader.Done()) {
            answered = true;
            break;
        }
        if (m_reader.Overflowed()) {
            answered = true;
            m_events.Problem(
                ProblemKind::AnswerTooLong,
                Fill(translate("PhoneSession", "The phone's answer to %1 is too long to read; it was "
                                               "left unread"),
                     {command.substr(0, command.find('\r'))}));
            break;
        }
        const std::int64_t now = m_clock.NowMs();
        const std::int64_t elapsed = now - start;
        if (lineEndsMs >= 0 && !lineAt && !m_reader.Lines().empty())
            lineAt = now;
        const bool lineEnded = lineAt && now - *lineAt >= lineEndsMs;
        if (lineEnded || elapsed >= deadlineMs || (stop && stop())) {
            // A wait the caller ended is no sign of a stuck modem.
            answered = lineEnded || elapsed < deadlineMs;
            m_reader.Abandon();
            break;
        }
        std::int64_t step = std::min<std::int64_t>(elapsed < kQuickPhaseMs ? kQuickPollMs : kSlowPollMs,
                                                   deadlineMs - elapsed);
        if (lineAt)
            step = std::min<std::int64_t>(step, lineEndsMs - (now - *lineAt));
        m_clock.Sleep(static_cast<int>(step));
    }
    if (m_reader.LineCut())
        m_events.Problem(
            ProblemKind::AnswerTooLong,
            Fill(translate("PhoneSession", "A line of the phone's answer to %1 is longer than %2 KiB; "
                                           "only its start was read"),
                 {command.substr(0, command.find('\r')), std::to_string(AtReader::kLineLimit / 1024)}));
    HandleUnsolicited();
    m_missedInARow = answered ? 0 : m_missedInARow + 1;
    return m_reader.Final();
}

namespace {

// "+CDSI: <mem>,<index>" and "+CMTI: <mem>,<index>": where the phone put
// what it announces. Index 0 is an index like any other: many modems
// number their stores from 0. None when the line gives no index.
std::optional<std::pair<std::string, int>> StoredAt(const std::string& line) {
    std::vector<std::string> fields = SplitQuotedFields(std::string_view(line).substr(line.find(':') + 1));
    std::string& storage = fields.front();
    storage.erase(0, storage.find_first_not_of(' '));
    const std::string_view index = fields.size() < 2 ? std::string_view() : std::string_view(fields[1]);
    const auto digits = index.find_first_of("0123456789");
    if (digits == std::string_view::npos ||
        index.find_first_not_of("0123456789 ") != std::string_view::npos || index.size() > 6)
        return std::nullopt;
    return std::pair{storage, LeadingNumber(index)};
}

} // namespace

void PhoneSession::HandleUnsolicited() {
    for (const Unsolicited& u : m_reader.TakeUnsolicited()) {
        m_events.UnsolicitedLine(u.line);
        if (u.line.rfind("+CDS:", 0) == 0)
            TakeReport(u.pdu);
        else if (u.line.rfind("+CDSI:", 0) == 0) {
            if (const auto at = StoredAt(u.line))
                m_storedReports.push_back(*at);
        } else if (u.line.rfind("+CMTI:", 0) == 0) {
            if (const auto at = StoredAt(u.line))
                m_arrivals.push_back(*at);
        } else if (u.line.rfind("+CUSD:", 0) == 0 && m_ussdLines.size() < 4) {
            m_ussdLines.push_back(u.line);
        }
    }
}

void PhoneSession::TakeReport(const std::string& pdu) {
    const auto report = ParseStatusReport(pdu);
    if (!report)
        return;
    const auto awaited = std::find(m_awaitingReports.begin(), m_awaitingReports.end(), report->reference);
    if (awaited == m_awaitingReports.end())
        return; // not about a message of this connection
    if (!IsFinalStatus(report->status)) {
        m_events.Status(StatusText(report->status));
        return;
    }
    m_awaitingReports.erase(awaited);
    // A final report is of one part: whether the message is delivered is for
    // the listener that knows its parts to say.
    m_events.DeliveryReport(report->reference, report->status);
}

void PhoneSession::ReadUnsolicited() {
    if (!IsConnected() || m_dialogue != Dialogue::Fast)
        return;
    try {
        DrainInput();
        HandleUnsolicited();
        // Read between exchanges, never inside one.
        while (!m_storedReports.empty() && IsConnected()) {
            const auto [storage, index] = m_storedReports.front();
            m_storedReports.erase(m_storedReports.begin());
            ReadStoredReport(storage, index);
        }
        ReadArrivals();
    } catch (const EComPort& e) {
        LinkLostDuring(e);
    }
}

bool PhoneSession::RouteStatusReports() {
    if (!IsConnected() || m_dialogue != Dialogue::Fast)
        return false;
    if (m_reportRoute != 0)
        return true;
    try {
        // mode 2, new messages as +CMTI, no broadcasts, then the report route.
        for (const int ds : {1, 2}) {
            if (Exchange("AT+CNMI=2,1,0," + std::to_string(ds) + ",0\r", kFast.commandMs) ==
                FinalResult::Ok) {
                m_reportRoute = ds;
                m_announcing = true;
                return true;
            }
        }
    } catch (const EComPort& e) {
        LinkLostDuring(e);
        return false;
    }
    const std::string refusal = PhoneRefusal(m_reader.Raw());
    m_events.Problem(
        ProblemKind::PhoneRefused,
        refusal.empty()
            ? translate("PhoneSession", "The phone does not pass on delivery reports")
            : Fill(translate("PhoneSession", "The phone does not pass on delivery reports (%1)"), {refusal}));
    return false;
}

std::string PhoneSession::Ask(const std::string& command, int intervalMs, int polls) {
    if (m_dialogue == Dialogue::Fast) {
        Exchange(command, kFast.commandMs);
        return m_reader.Answer();
    }
    Send(command);
    return AwaitReply(intervalMs, polls);
}

bool PhoneSession::Settle() {
    for (int probe = 0; probe < kFast.probes; ++probe)
        if (Exchange("AT\r", kFast.probeMs) == FinalResult::Ok)
            return true;
    return false;
}

std::optional<int> PhoneSession::PinTriesLeft() {
    // TS 27.007 8.65: "+CPINR: SIM PIN,<retries>,<default retries>".
    if (Exchange("AT+CPINR=\"SIM PIN\"\r", kFast.commandMs) != FinalResult::Ok)
        return std::nullopt;
    for (const std::string& line : m_reader.Lines()) {
        const auto comma = line.find(',');
        if (line.rfind("+CPINR:", 0) == 0 && comma != std::string::npos &&
            line.find_first_of("0123456789", comma) == comma + 1)
            return LeadingNumber(std::string_view(line).substr(comma + 1));
    }
    return std::nullopt;
}

namespace {

// A PIN is 4 to 8 digits (TS 22.030 clause 6.6); nothing else may reach the
// command line.
bool IsPin(const std::string& pin) {
    return pin.size() >= 4 && pin.size() <= 8 &&
           std::all_of(pin.begin(), pin.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

std::string PinTriesText(std::optional<int> tries) {
    if (!tries)
        return "";
    return Fill(*tries == 1 ? translate("PhoneSession", " (%1 try left)")
                            : translate("PhoneSession", " (%1 tries left)"),
                {std::to_string(*tries)});
}

bool PhoneSession::AskForReports(std::vector<std::string>& pdus) {
    if (!RouteStatusReports())
        return false;
    for (auto& pdu : pdus)
        if (auto asking = RequestStatusReport(pdu))
            pdu = *asking;
    return true;
}

std::string PhoneSession::SimState() {
    // Some phones (Wavecom) give the state line without a final result code:
    // the line is the answer, and waiting out the deadline for an OK that
    // never comes would cost every connect its seconds.
    const FinalResult result = Exchange("AT+CPIN?\r", kFast.commandMs, false, {}, kFast.lineOnlyMs);
    if (result != FinalResult::Ok && result != FinalResult::None)
        return "";
    for (const std::string& line : m_reader.Lines())
        if (line.rfind("+CPIN:", 0) == 0) {
            // "+CPIN: SIM PIN" or, as some phones quote it, "+CPIN: \"SIM PIN\"".
            std::string state;
            for (char c : line.substr(6))
                if (c != '"')
                    state += c;
            const auto start = state.find_first_not_of(' ');
            if (start == std::string::npos)
                return "";
            state.erase(0, start);
            state.erase(state.find_last_not_of(' ') + 1);
            return state;
        }
    return "";
}

namespace {

// The states in which the SIM serves messages. SIM PIN2 and SIM PUK2 lock
// only what PIN2 guards (fixed dialling, charges), and a phone is to carry on
// when PIN2 is not given at once (TS 27.007 8.3).
bool SimUsable(const std::string& state) {
    return state == "READY" || state == "SIM PIN2" || state == "SIM PUK2";
}

} // namespace

bool PhoneSession::UnlockSim() {
    m_events.Status(translate("PhoneSession", "Check SIM"));
    // A phone that does not know the command has no SIM lock to speak of.
    const std::string state = SimState();
    if (state.empty() || SimUsable(state))
        return true;
    if (state != "SIM PIN") {
        m_events.Status(
            Fill(translate("PhoneSession", "The SIM asks for %1, which Velmora does not give: unlock it in a "
                                           "phone, then connect again"),
                 {state}));
        return false;
    }
    const std::optional<int> tries = PinTriesLeft();
    const std::optional<std::string> pin = m_pinSource ? m_pinSource(tries) : std::nullopt;
    if (!pin || pin->empty()) {
        m_events.Status(Fill(
            translate("PhoneSession", "The SIM asks for its PIN%1; none was given, so the port is closed"),
            {PinTriesText(tries)}));
        return false;
    }
    if (!IsPin(*pin)) {
        m_events.Status(translate("PhoneSession", "A PIN is 4 to 8 digits; nothing was sent to the SIM"));
        return false;
    }
    m_events.Status(translate("PhoneSession", "Enter SIM PIN"));
    if (Exchange("AT+CPIN=\"" + *pin + "\"\r", kFast.commandMs) != FinalResult::Ok) {
        // Said after the failed connect, which replaces what was shown.
        m_refusalAfterConnect = m_reader.Raw();
        m_events.Status(
            Fill(translate("PhoneSession", "The SIM refused the PIN%1; connect again to give another"),
                 {PinTriesText(PinTriesLeft())}));
        return false;
    }
    // A SIM takes a moment to open after its PIN; until then it answers busy.
    for (int look = 0; look < 10 && !SimUsable(SimState()); ++look)
        m_clock.Sleep(500);
    return true;
}

SubmitOutcome PhoneSession::FastJudge(FinalResult result) {
    const std::string& reply = m_reader.Raw();
    switch (result) {
    case FinalResult::Ok:
        for (const std::string& line : m_reader.Lines())
            if (line.rfind("+CMGS:", 0) == 0)
                m_lastReference = LeadingNumber(std::string_view(line).substr(6));
        if (m_lastReference && m_reportRoute != 0 && AsksForStatusReport(m_submitting))
            m_awaitingReports.push_back(*m_lastReference);
        m_events.Monitor(SubmitOutcomeText(SubmitOutcome::Sent));
        return SubmitOutcome::Sent;
    case FinalResult::Error:
    case FinalResult::CmeError:
    case FinalResult::CmsError:
        m_refusedAnswer = reply;
        m_events.Monitor(SubmitOutcomeText(SubmitOutcome::Failed));
        ShowRefusal(reply);
        return SubmitOutcome::Failed;
    case FinalResult::None:
    case FinalResult::Prompt:
        break;
    }
    m_events.Monitor(SubmitOutcomeText(SubmitOutcome::Unknown));
    return SubmitOutcome::Unknown;
}

SubmitOutcome PhoneSession::FastSubmit(const std::string& pdu, bool& written) {
    constexpr char kCtrlZ = 26;
    const auto refused = [this](SubmitOutcome outcome) {
        m_refusedAnswer = m_reader.Raw();
        ShowRefusal(m_refusedAnswer);
        return outcome;
    };
    if (Exchange("at+cmgf=0\r", kFast.commandMs) != FinalResult::Ok)
        return refused(SubmitOutcome::NoPduMode);
    m_events.Monitor(translate("PhoneSession", "Enter PDU Mode OK"));
    const auto length = static_cast<long>(pdu.size() / 2) - 1;
    if (const FinalResult prompted =
            Exchange("at+cmgs=" + std::to_string(length) + "\r", kFast.commandMs, true);
        prompted != FinalResult::Prompt) {
        // A prompt later than its deadline would take the next command for
        // PDU text: the escape takes the phone back to its commands.
        if (prompted == FinalResult::None)
            Send(std::string(1, kEscape));
        return refused(SubmitOutcome::NoPrompt);
    }
    m_events.Monitor(translate("PhoneSession", "Ready To Receive"));
    written = true;
    m_submitting = pdu;
    return FastJudge(Exchange(pdu + kCtrlZ + "\r", kFast.pduMs));
}

} // namespace velmora
