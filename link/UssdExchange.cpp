#include "PhoneSession.h"

#include <algorithm>

namespace velmora {

namespace {

constexpr int kUssdPollMs = 20;
// How long the rest of a network text with its quotes still open is waited
// for before what came is taken as the whole answer.
constexpr std::int64_t kUssdTextWaitMs = 1000;

} // namespace

UssdExchanged PhoneSession::UssdSend(const std::string& str, int waitMs, const StopRequested& stop) {
    using Outcome = UssdExchanged::Outcome;
    UssdExchanged r;
    if (!IsConnected())
        return r;
    if (m_dialogue != Dialogue::Fast) {
        r.outcome = Outcome::NeedsFast;
        return r;
    }
    try {
        // A late answer of a dialogue that ended is not this request's.
        DrainInput();
        HandleUnsolicited();
        m_ussdLines.clear();
        const FinalResult result = Exchange("AT+CUSD=1,\"" + str + "\",15\r", kFast.commandMs);
        if (result == FinalResult::None) {
            r.outcome = Outcome::NoAnswer;
            return r;
        }
        if (result != FinalResult::Ok) {
            r.outcome = Outcome::Refused;
            r.refusal = PhoneRefusal(m_reader.Raw());
            if (r.refusal.empty())
                r.refusal = m_reader.FinalLine();
            // Not a Problem event: a refused text request may yet go through
            // packed, and the dialogue says what became of it.
            return r;
        }
        const std::int64_t start = m_clock.NowMs();
        std::int64_t heldSince = -1;
        for (;;) {
            DrainInput();
            HandleUnsolicited();
            if (m_ussdLines.empty() && m_reader.AwaitsText()) {
                const std::int64_t now = m_clock.NowMs();
                if (heldSince < 0)
                    heldSince = now;
                if (now - heldSince >= kUssdTextWaitMs || now - start >= waitMs) {
                    m_reader.GiveUpText();
                    HandleUnsolicited();
                }
            }
            if (!m_ussdLines.empty()) {
                r.line = m_ussdLines.front();
                m_ussdLines.erase(m_ussdLines.begin());
                if (const auto cusd = ParseCusd(r.line)) {
                    r.outcome = Outcome::Answered;
                    r.cusd = *cusd;
                } else {
                    r.outcome = Outcome::Unreadable;
                }
                return r;
            }
            if (stop && stop()) {
                r.outcome = Outcome::Stopped;
                return r;
            }
            const std::int64_t elapsed = m_clock.NowMs() - start;
            if (elapsed >= waitMs) {
                r.outcome = Outcome::NoAnswer;
                return r;
            }
            m_clock.Sleep(static_cast<int>(std::min<std::int64_t>(kUssdPollMs, waitMs - elapsed)));
        }
    } catch (const EComPort& e) {
        LinkLostDuring(e);
        r.outcome = Outcome::LinkLost;
    }
    return r;
}

void PhoneSession::UssdEnd() {
    if (!IsConnected())
        return;
    try {
        bool ending = false;
        try {
            m_clock.Sleep(0);
        } catch (const SessionCancelled&) {
            ending = true;
        }
        if (ending || m_dialogue != Dialogue::Fast) {
            // No time to wait for its OK: the network ends the dialogue on
            // its own once the modem has it.
            Send("AT+CUSD=2\r");
            return;
        }
        Exchange("AT+CUSD=2\r", kFast.commandMs);
        m_ussdLines.clear();
    } catch (const EComPort& e) {
        LinkLostDuring(e);
    }
}

} // namespace velmora
