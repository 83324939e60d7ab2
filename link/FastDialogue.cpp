#include "PhoneSession.h"

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
    for (const Unsolicited& u : m_reader.TakeUnsolicited())
        m_events.UnsolicitedLine(u.line);
}

void PhoneSession::ReadUnsolicited() {
    if (!IsConnected() || m_dialogue != Dialogue::Fast)
        return;
    try {
        DrainInput();
    } catch (const EComPort& e) {
        LinkLostDuring(e);
        return;
    }
    HandleUnsolicited();
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
    return FastJudge(Exchange(pdu + kCtrlZ + "\r", kFast.pduMs), destination);
}

} // namespace velmora
