#pragma once

// One USSD dialogue over a connected session: a code ("*123#"), then the
// replies the network asks for, each answer read by its coding. Finds out
// whether the modem wants requests as text or as packed septets: a text
// request refused by a modem not yet known is tried again packed, and what
// worked is there to be remembered. A request refused as not supported
// (+CME ERROR: 4) or answered so by the network (+CUSD: 4) is not asked
// again: the encoding would not change that.

#include "PhoneSession.h"
#include "Ussd.h"

#include <string>

namespace velmora {

struct UssdAnswer {
    enum class Kind {
        Done,           // +CUSD: 0, the dialogue is over
        Asks,           // +CUSD: 1, the network waits for a reply
        EndedByNetwork, // +CUSD: 2
        OtherClient,    // +CUSD: 3
        NotSupported,   // +CUSD: 4
        NetworkTimeout, // +CUSD: 5
        Refused,        // the phone refused the request: `detail` says how
        NoAnswer,       // nothing within the wait
        Stopped,        // the user stopped the wait
        NotConnected,
        NeedsFast,  // the classic dialogue
        LinkLost,   // the link failed
        Unreadable, // an answer line that could not be read: `detail` holds it
        BadRequest, // a text that cannot be sent: `detail` says why
    };
    Kind kind = Kind::NotConnected;
    std::string text;   // the network's words, UTF-8
    std::string how;    // how they were read (DecodeUssd)
    std::string detail; // the phone's refusal, the line not read, the reason
    std::string sent;   // the request as written in the command
    bool operator==(const UssdAnswer&) const = default;
};

// Whether the network answered at all (0 to 5), as against the phone or the
// link failing.
bool NetworkAnswered(UssdAnswer::Kind kind);

class UssdDialogue {
public:
    static constexpr int kDefaultWaitMs = 30000;

    // `wire`: what the settings know of this modem (Unknown: find out).
    // `remembered`: the wire was learnt of a modem by its name, not set by
    // the user, so a first request it refuses is tried the other way once:
    // another stick of the same name may want the other.
    UssdDialogue(PhoneSession& session, UssdWire wire, int waitMs = kDefaultWaitMs, bool remembered = false);

    // The code, or a reply when the network asked for one.
    UssdAnswer Send(const std::string& text, const StopRequested& stop = {});
    // AT+CUSD=2 when the network still waits for a reply, or an answer is
    // still to come (stopped, no answer).
    void End();
    // Whether the network waits for a reply.
    bool Open() const { return m_open; }
    // How this modem takes requests; `Learnt` when a try of this dialogue
    // found it out, so the caller keeps it for the modem.
    UssdWire Wire() const { return m_wire; }
    bool Learnt() const { return m_learnt; }

private:
    UssdAnswer Try(const std::string& text, UssdWire wire, const StopRequested& stop);

    PhoneSession& m_session;
    UssdWire m_wire;
    int m_waitMs;
    bool m_open = false;    // the network waits for a reply
    bool m_pending = false; // a request may still be answered
    bool m_learnt = false;
    bool m_remembered = false; // until the first request is answered
};

} // namespace velmora
