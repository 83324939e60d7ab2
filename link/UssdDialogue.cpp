#include "UssdDialogue.h"

#include "Said.h"
#include "Strings.h"

#include <algorithm>
#include <utility>

namespace velmora {

namespace {

// A request goes between double quotes on the command line: printable ASCII
// only, no quote, and no longer than a network takes (182 septets).
constexpr std::size_t kRequestLimit = 182;

std::string RequestProblem(const std::string& text) {
    if (text.empty())
        return translate("UssdDialogue", "the request is empty");
    if (text.size() > kRequestLimit)
        return Fill(translate("UssdDialogue", "the request is longer than %1 characters"),
                    {std::to_string(kRequestLimit)});
    if (!std::all_of(text.begin(), text.end(), [](char c) { return c >= 0x20 && c < 0x7F && c != '"'; }))
        return translate("UssdDialogue",
                         "the request holds a character other than letters, digits, blanks and "
                         "punctuation (or a double quote)");
    return "";
}

UssdAnswer::Kind KindOf(int status) {
    using K = UssdAnswer::Kind;
    switch (status) {
    case 0:
        return K::Done;
    case 1:
        return K::Asks;
    case 2:
        return K::EndedByNetwork;
    case 3:
        return K::OtherClient;
    case 4:
        return K::NotSupported;
    case 5:
        return K::NetworkTimeout;
    default:
        return K::Unreadable;
    }
}

// A line that could not be read, as a reason shows it: its start.
std::string Cut(const std::string& line) {
    constexpr std::size_t kShown = 80;
    return line.size() <= kShown ? line : line.substr(0, kShown) + "...";
}

// A refusal that says the modem does not do this at all, whatever the
// encoding: +CME ERROR: 4 (operation not supported), +CMS ERROR: 303, or a
// phone's own words to that effect. `refusal` is the phone's line with our
// name for its code after it in parentheses.
bool RefusedAsNotSupported(const std::string& refusal) {
    std::string line = refusal;
    if (line.rfind("+CME ERROR:", 0) == 0 || line.rfind("+CMS ERROR:", 0) == 0)
        line = line.substr(0, line.find(" ("));
    if (line == "+CME ERROR: 4" || line == "+CMS ERROR: 303")
        return true;
    std::string lower = line;
    for (char& c : lower)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return lower.find("not supported") != std::string::npos;
}

} // namespace

bool NetworkAnswered(UssdAnswer::Kind kind) {
    using K = UssdAnswer::Kind;
    return kind == K::Done || kind == K::Asks || kind == K::EndedByNetwork || kind == K::OtherClient ||
           kind == K::NotSupported || kind == K::NetworkTimeout;
}

UssdDialogue::UssdDialogue(PhoneSession& session, UssdWire wire, int waitMs, bool remembered)
    : m_session(session), m_wire(wire), m_waitMs(waitMs),
      m_remembered(remembered && wire != UssdWire::Unknown) {}

UssdAnswer UssdDialogue::Try(const std::string& text, UssdWire wire, const StopRequested& stop) {
    using Outcome = UssdExchanged::Outcome;
    UssdAnswer a;
    if (wire == UssdWire::Packed) {
        const auto packed = PackUssd(Utf8ToUtf16(text));
        if (!packed) {
            a.kind = UssdAnswer::Kind::BadRequest;
            a.detail = packed.error();
            return a;
        }
        a.sent = *packed;
    } else {
        a.sent = text;
    }
    m_pending = true;
    const UssdExchanged r = m_session.UssdSend(a.sent, m_waitMs, stop);
    switch (r.outcome) {
    case Outcome::Answered: {
        a.kind = KindOf(r.cusd.status);
        if (a.kind == UssdAnswer::Kind::Unreadable)
            a.detail = Cut(r.line);
        if (r.cusd.str) {
            // A packed modem answers packed; any other answer is judged by
            // what it looks like.
            const UssdText t =
                DecodeUssd(*r.cusd.str, r.cusd.dcs, wire == UssdWire::Packed ? wire : UssdWire::Unknown);
            a.text = t.text;
            a.how = t.how;
        }
        break;
    }
    case Outcome::Refused:
        a.kind = UssdAnswer::Kind::Refused;
        a.detail = r.refusal;
        m_pending = false;
        break;
    case Outcome::NoAnswer:
        a.kind = UssdAnswer::Kind::NoAnswer;
        break;
    case Outcome::Stopped:
        a.kind = UssdAnswer::Kind::Stopped;
        break;
    case Outcome::NotConnected:
        a.kind = UssdAnswer::Kind::NotConnected;
        m_pending = false;
        break;
    case Outcome::NeedsFast:
        a.kind = UssdAnswer::Kind::NeedsFast;
        m_pending = false;
        break;
    case Outcome::LinkLost:
        a.kind = UssdAnswer::Kind::LinkLost;
        m_pending = false;
        break;
    case Outcome::Unreadable:
        a.kind = UssdAnswer::Kind::Unreadable;
        a.detail = Cut(r.line);
        break;
    }
    if (NetworkAnswered(a.kind)) {
        m_pending = false;
        m_open = a.kind == UssdAnswer::Kind::Asks;
    }
    return a;
}

UssdAnswer UssdDialogue::Send(const std::string& text, const StopRequested& stop) {
    if (const std::string problem = RequestProblem(text); !problem.empty()) {
        UssdAnswer a;
        a.kind = UssdAnswer::Kind::BadRequest;
        a.detail = problem;
        return a;
    }
    const UssdWire first = m_wire == UssdWire::Packed ? UssdWire::Packed : UssdWire::Text;
    UssdAnswer a = Try(text, first, stop);
    using K = UssdAnswer::Kind;
    const bool remembered = std::exchange(m_remembered, false);
    // The other encoding is for a request the modem refused: not for one it
    // or the network said it does not support (+CME ERROR: 4, +CUSD: 4),
    // which asking again would only send a second time.
    const bool refused = a.kind == K::Refused && !RefusedAsNotSupported(a.detail);
    if (m_wire != UssdWire::Unknown) {
        if (!remembered || !refused)
            return a;
        const UssdWire other = first == UssdWire::Packed ? UssdWire::Text : UssdWire::Packed;
        UssdAnswer b = Try(text, other, stop);
        if (NetworkAnswered(b.kind) && b.kind != K::NotSupported) {
            m_wire = other;
            m_learnt = true;
            return b;
        }
        return a;
    }
    // A stick that wants packed septets refuses the text.
    if (refused) {
        UssdAnswer packed = Try(text, UssdWire::Packed, stop);
        if (NetworkAnswered(packed.kind) && packed.kind != K::NotSupported) {
            m_wire = UssdWire::Packed;
            m_learnt = true;
            return packed;
        }
        if (packed.kind != K::Refused && packed.kind != K::NotSupported && packed.kind != K::BadRequest)
            return packed; // the link's trouble says more than the first refusal
        return a;
    }
    if (NetworkAnswered(a.kind) && a.kind != K::NotSupported) {
        m_wire = UssdWire::Text;
        m_learnt = true;
    }
    return a;
}

void UssdDialogue::End() {
    if (!m_open && !m_pending)
        return;
    m_session.UssdEnd();
    m_open = false;
    m_pending = false;
}

} // namespace velmora
