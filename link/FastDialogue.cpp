#include "PhoneSession.h"

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
                                   const StopRequested& stop) {
    // Whatever came before the command is not its answer.
    m_reader.Abandon();
    DrainInput();
    m_reader.Start(command, promptEnds);
    Send(command);
    const std::int64_t start = m_clock.NowMs();
    for (;;) {
        DrainInput();
        if (m_reader.Done())
            break;
        const std::int64_t elapsed = m_clock.NowMs() - start;
        if (elapsed >= deadlineMs || (stop && stop())) {
            m_reader.Abandon();
            break;
        }
        const std::int64_t step = elapsed < kQuickPhaseMs ? kQuickPollMs : kSlowPollMs;
        m_clock.Sleep(static_cast<int>(std::min<std::int64_t>(step, deadlineMs - elapsed)));
    }
    HandleUnsolicited();
    return m_reader.Final();
}

void PhoneSession::HandleUnsolicited() {
    for (const Unsolicited& u : m_reader.TakeUnsolicited()) {
        m_events.UnsolicitedLine(u.line);
        if (u.line.rfind("+CDS:", 0) == 0)
            TakeReport(u.pdu);
        else if (u.line.rfind("+CDSI:", 0) == 0) // +CDSI: <mem>,<index>
            m_storedReports.push_back(LeadingNumber(std::string_view(u.line).substr(u.line.rfind(',') + 1)));
    }
}

void PhoneSession::TakeReport(const std::string& pdu) {
    const auto report = ParseStatusReport(pdu);
    if (!report)
        return;
    const auto awaited = std::find(m_awaitingReports.begin(), m_awaitingReports.end(), report->reference);
    if (awaited == m_awaitingReports.end())
        return; // not about a message of this connection
    const std::string text = StatusText(report->status);
    m_events.Status(text);
    if (!IsFinalStatus(report->status))
        return;
    m_awaitingReports.erase(awaited);
    m_events.Monitor(text);
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
            const int index = m_storedReports.front();
            m_storedReports.erase(m_storedReports.begin());
            if (Exchange("AT+CMGR=" + std::to_string(index) + "\r", kFast.commandMs) != FinalResult::Ok)
                continue;
            // "+CMGR: <stat>,[<alpha>],<length>" and the PDU on the next line.
            const auto& lines = m_reader.Lines();
            for (std::size_t i = 0; i + 1 < lines.size(); ++i)
                if (lines[i].rfind("+CMGR:", 0) == 0)
                    TakeReport(lines[i + 1]);
        }
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
                return true;
            }
        }
    } catch (const EComPort& e) {
        LinkLostDuring(e);
        return false;
    }
    const std::string refusal = PhoneRefusal(m_reader.Raw());
    m_events.Problem(ProblemKind::PhoneRefused, "The phone does not pass on delivery reports" +
                                                    (refusal.empty() ? "" : " (" + refusal + ")"));
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

SubmitOutcome PhoneSession::FastJudge(FinalResult result, const std::string& destination) {
    const std::string& reply = m_reader.Raw();
    switch (result) {
    case FinalResult::Ok:
        for (const std::string& line : m_reader.Lines())
            if (line.rfind("+CMGS:", 0) == 0)
                m_lastReference = LeadingNumber(std::string_view(line).substr(6));
        if (m_lastReference && m_reportRoute != 0 && AsksForStatusReport(m_submitting))
            m_awaitingReports.push_back(*m_lastReference);
        Log(m_transmitLog, destination);
        m_events.Monitor(SubmitOutcomeText(SubmitOutcome::Sent));
        return SubmitOutcome::Sent;
    case FinalResult::Error:
    case FinalResult::CmeError:
    case FinalResult::CmsError:
        Log(m_failedLog, destination);
        Log(m_failedLog, reply);
        m_events.Monitor(SubmitOutcomeText(SubmitOutcome::Failed));
        if (const std::string refusal = PhoneRefusal(reply); !refusal.empty())
            m_events.Problem(ProblemKind::PhoneRefused, refusal);
        return SubmitOutcome::Failed;
    case FinalResult::None:
    case FinalResult::Prompt:
        break;
    }
    Log(m_failedLog, destination + " (?)");
    m_events.Monitor(SubmitOutcomeText(SubmitOutcome::Unknown));
    return SubmitOutcome::Unknown;
}

SubmitOutcome PhoneSession::FastSubmit(const std::string& pdu, const std::string& destination,
                                       bool& written) {
    constexpr char kCtrlZ = 26;
    const auto refused = [this](SubmitOutcome outcome) {
        if (const std::string refusal = PhoneRefusal(m_reader.Raw()); !refusal.empty())
            m_events.Problem(ProblemKind::PhoneRefused, refusal);
        return outcome;
    };
    if (Exchange("at+cmgf=0\r", kFast.commandMs) != FinalResult::Ok)
        return refused(SubmitOutcome::NoPduMode);
    m_events.Monitor("Enter PDU Mode OK");
    const auto length = static_cast<long>(pdu.size() / 2) - 1;
    if (Exchange("at+cmgs=" + std::to_string(length) + "\r", kFast.commandMs, true) != FinalResult::Prompt)
        return refused(SubmitOutcome::NoPrompt);
    m_events.Monitor("Ready To Receive");
    written = true;
    m_submitting = pdu;
    return FastJudge(Exchange(pdu + kCtrlZ + "\r", kFast.pduMs), destination);
}

} // namespace velmora
