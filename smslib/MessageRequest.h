#pragma once

// From what the user composed to the PDU texts to submit: the one mapping
// behind the window's send button and velmora-cli's "pdu" and "send", and
// the one place of every check before a send. Pure: content that comes from
// a file is read by the caller first.

#include "MessageKind.h"
#include "Result.h"
#include "Strings.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

struct MessageRequest {
    MessageKind kind = MessageKind::Text;
    std::string destination;           // as typed: "+" signs go, a leading 0 becomes the country code
    std::u16string text;               // Text: the message; Ems: the tagged text
    bool flash = false, blink = false; // Text
    // Text, when not flash (a flash message is one UCS2 message whatever
    // these say): `longText` sends a text too long for one message as
    // concatenated parts; `unicode` sends it as UCS2. Both: GSM 7-bit when
    // every character has a GSM form, else UCS2. Neither: one GSM 7-bit
    // message, as always.
    bool longText = false, unicode = false;
    int concatReference = 0; // the parts' reference, 0..255 (LongText.h)
    std::string content;     // Logo, Group, Picture, Ringtone: hex as typed
    std::string mcc, nc;     // Logo: the network, 3 and 2 digits
    int indicatorKind = 1;   // Indicator: Voicemail, Fax or Email (IndicatorKind)
    bool active = false;     // Indicator
    // What a national destination ("0812...") is dialled with: the
    // settings' [Messages] CountryCode=.
    std::string countryCode{kDefaultCountryCode};
};

struct MessageJob {
    std::string number;            // the destination as sent and logged
    std::vector<std::string> pdus; // one per part, in order (three for a picture)
};

// What a refusal is about, so the window can put the user there.
enum class RefusedField {
    None,
    Destination,   // the destination number
    Text,          // the message text
    ContentSource, // the file that gives a content tab its content (Browse)
};

struct Refusal {
    std::string text; // for the user; the window starts it with a capital
    RefusedField field = RefusedField::None;
};

// The PDUs of the request, or why it is refused, in the order the window has
// always checked: a logo's MCC and NC, the destination (none, then not a
// number), a content tab's empty content, the content's hex, the GSM
// alphabet of a normal text, then what the kind's builder says.
Result<MessageJob, Refusal> BuildMessage(const MessageRequest& request);

// The destination as sent: "+" signs dropped, a leading 0 made the country
// code, then 1 to 20 digits; else the refusal.
Result<std::string> CheckDestination(std::string_view typed,
                                     std::string_view countryCode = kDefaultCountryCode);
// Content hex as typed, in upper case: case and white space are forgiven,
// anything else, no digits at all or an odd count is refused.
Result<std::string> ParseContentHex(std::string_view typed);

} // namespace velmora
