#include "PhoneSession.h"

namespace velmora {

namespace {

constexpr char kCtrlZ = 26;

} // namespace

SubmitOutcome PhoneSession::Judge(const std::string& reply, bool secondAnswer) {
    // "ERROR" first: an answer that holds both words failed. The answer to the
    // second terminator is only searched for "OK".
    if (!secondAnswer && Holds(reply, "ERROR")) {
        m_refusedAnswer = reply;
        m_events.Monitor(SubmitOutcomeText(SubmitOutcome::Failed));
        ShowRefusal(reply);
        return SubmitOutcome::Failed;
    }
    if (Holds(reply, "OK")) {
        m_events.Monitor(SubmitOutcomeText(SubmitOutcome::Sent));
        return SubmitOutcome::Sent;
    }
    if (!secondAnswer)
        return SubmitOutcome::Unknown; // the caller sends the second terminator
    m_events.Monitor(SubmitOutcomeText(SubmitOutcome::Unknown));
    ShowRefusal(reply);
    return SubmitOutcome::Unknown;
}

SubmitOutcome PhoneSession::ClassicSubmit(const std::string& pdu, bool& written) {
    Send("at+cmgf=0\r");
    if (const std::string reply = AwaitReply(500, 6); !Holds(reply, "OK")) {
        m_refusedAnswer = reply;
        ShowRefusal(reply);
        return SubmitOutcome::NoPduMode;
    }
    m_events.Monitor("Enter PDU Mode OK");
    // The phone does not count the leading service-centre octet "00".
    const auto length = static_cast<long>(pdu.size() / 2) - 1;
    Send("at+cmgs=" + std::to_string(length) + "\r");
    if (const std::string reply = AwaitReply(500, 6); !Holds(reply, ">")) {
        m_refusedAnswer = reply;
        ShowRefusal(reply);
        return SubmitOutcome::NoPrompt;
    }
    m_events.Monitor("Ready To Receive");
    written = true; // from here a failure may have left the PDU with the phone
    Send(pdu + kCtrlZ + "\r");
    std::string reply;
    if (m_isSiemens)
        CollectReplies(reply, 300, 25);
    else
        reply = AwaitReply(500, 10);
    SubmitOutcome outcome = Judge(reply, false);
    if (outcome == SubmitOutcome::Unknown) {
        Send(std::string(1, kCtrlZ) + "\r");
        std::string second;
        if (!m_isSiemens)
            CollectReplies(second, 300, 25);
        outcome = Judge(second, true);
    }
    return outcome;
}

PhoneSession::MessageSubmitted PhoneSession::SubmitMessage(std::vector<std::string> pdus,
                                                           const std::string& destination, bool reports,
                                                           const std::function<void(int)>& starting) {
    MessageSubmitted done;
    done.reportsRefused = reports && !AskForReports(pdus);
    for (std::size_t i = 0; i < pdus.size(); ++i) {
        if (starting)
            starting(static_cast<int>(i));
        done.allSent = SubmitPDU(pdus[i], destination) == SubmitOutcome::Sent && done.allSent;
    }
    return done;
}

SubmitOutcome PhoneSession::SubmitPDU(const std::string& pdu, const std::string& destination) {
    m_cancelledOutcome.reset();
    m_lastReference.reset();
    m_refusedAnswer.clear();
    const auto ended = [&](SubmitOutcome outcome, bool stopped = false) {
        // A step the phone refused keeps its answer: the PDU's, or the one
        // that came instead of PDU mode or the prompt, with the phone's code.
        const bool refused = outcome == SubmitOutcome::Failed || outcome == SubmitOutcome::NoPduMode ||
                             outcome == SubmitOutcome::NoPrompt;
        m_events.PartSubmitted(PartEnded{destination, outcome, m_lastReference,
                                         refused ? m_refusedAnswer : std::string(), stopped});
        return outcome;
    };
    if (!IsConnected())
        return ended(SubmitOutcome::LinkLost);
    SetPolling(false);
    bool written = false;
    SubmitOutcome outcome = SubmitOutcome::Unknown;
    try {
        outcome = m_dialogue == Dialogue::Fast ? FastSubmit(pdu, written) : ClassicSubmit(pdu, written);
    } catch (const SessionCancelled&) {
        // The owner is going away (Ctrl-C, the window closing). A PDU already
        // with the phone may have been sent: say so before letting go.
        if (written) {
            m_cancelledOutcome = SubmitOutcome::Unknown;
            m_events.Monitor(SubmitOutcomeText(SubmitOutcome::Unknown));
            ended(SubmitOutcome::Unknown, true);
        } else {
            // The phone may be at the prompt, waiting for a PDU that will not
            // come: the escape leaves it at its commands for whoever is next.
            try {
                Send(std::string(1, kEscape));
            } catch (const EComPort&) {
                // The port is going; the next connect escapes as well.
            }
        }
        throw;
    } catch (const EComPort& e) {
        if (written) {
            outcome = SubmitOutcome::Unknown;
            m_events.Monitor(SubmitOutcomeText(outcome));
        } else {
            outcome = SubmitOutcome::LinkLost;
        }
        ended(outcome);
        LinkLostDuring(e);
        return outcome;
    }
    SetPolling(true);
    return ended(outcome);
}

} // namespace velmora
