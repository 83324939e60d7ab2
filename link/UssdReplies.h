#pragma once

// What a phone says in a USSD dialogue: the network's "+CUSD:" line, read by
// what its fields are, since modems quote, leave out and add fields as they
// please. Pure: a line in, its fields out.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace velmora {

// "+CUSD: <m>[,<str>[,<dcs>]]": m 0 no further action, 1 the network asks
// for a reply, 2 ended by the network, 3 another client answered, 4 not
// supported, 5 the network timed out.
struct CusdLine {
    int status = 0;
    std::optional<std::string> str; // without its quotes, as the modem gave it
    std::optional<int> dcs;         // 0..255
    bool operator==(const CusdLine&) const = default;
};

// No network's answer is longer than a few hundred characters (182 septets,
// 80 UCS2 characters as 320 hex digits); a string past this is refused.
inline constexpr std::size_t kUssdStringLimit = 2048;

// The line's fields; nothing when it is no "+CUSD:" line, its status is not
// a number from 0 to 9, or its string is past kUssdStringLimit. The string is
// the first quoted field, or (a modem that quotes nothing) everything between
// the status and a last field of only digits from 0 to 255, which is the DCS;
// fields after the DCS are ignored.
std::optional<CusdLine> ParseCusd(std::string_view line);

// What one request of a USSD dialogue came to on the line.
struct UssdExchanged {
    enum class Outcome {
        Answered,     // a +CUSD line came: `cusd`
        Refused,      // ERROR or +CME ERROR to the request: `refusal`
        NoAnswer,     // no OK, or no +CUSD line within the wait
        Stopped,      // asked to stop while waiting
        NotConnected, // no phone
        NeedsFast,    // the classic dialogue cannot wait for a line that comes later
        LinkLost,     // the link failed; the session is disconnected
        Unreadable,   // a +CUSD line that could not be read (too long, no status): `line`
    };
    Outcome outcome = Outcome::NotConnected;
    CusdLine cusd;
    std::string line;    // the +CUSD line as it came
    std::string refusal; // the phone's reason ("+CME ERROR: 100 (unknown)", "ERROR")
};

} // namespace velmora
