#pragma once

// What a received or stored message is, from its PDUs: the parts of a long
// message joined, and the content read by what its header and coding scheme
// say: a text, a flash message, an operator logo, group graphic, picture
// message or ringtone for the Smart Messaging ports, EMS elements as the
// composer's own tags, a void message or a message-waiting indication. Pure.

#include "MessageRequest.h"
#include "PduDecoder.h"
#include "Result.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

enum class ContentKind { Text, Flash, Logo, Group, Picture, Ringtone, Ems, Void, Indicator, Data, Report };

// "text", "flash", "logo", "group", "picture", "ringtone", "ems", "void",
// "indicator", "data", "report".
const char* ContentKindName(ContentKind kind);

// A part of a concatenated message (IE 00 or 08).
struct PartInfo {
    int reference = 0;
    int total = 0;
    int seq = 0;
    bool operator==(const PartInfo&) const = default;
};

struct ReadMessage {
    DecodedPdu pdu; // the frame of the first part present
    ContentKind kind = ContentKind::Text;
    // The text; EMS: with its tags; picture: its text item; data for no
    // application: its octets read as ISO-8859-1.
    std::u16string text;
    bool blink = false;        // a flash message's blink mark, taken out of the text
    std::string content;       // bitmap or tune as hex, as the content tabs hold it
    int width = 0, height = 0; // of a bitmap
    std::string mcc, nc;       // logo
    std::string rtttl;         // ringtone, its title (ISO-8859-1) and tempo
    std::string title;
    int tempo = 0;
    std::optional<int> port;       // the destination port, when addressed to one
    std::optional<PartInfo> parts; // a long message: its reference and total, seq 1
    std::vector<int> missing;      // part numbers that did not come
    bool truncated = false;        // a part's user data ends before its stated length
    // Compressed user data (TS 23.042), not read: `content` holds every
    // part's octets as hex, `text` nothing.
    bool compressed = false;
    // Indicator: 1 voicemail, 2 fax, 3 e-mail, 4 other; the count of
    // messages waiting when the header says it.
    int indicatorKind = 0;
    bool active = false;
    std::optional<int> waiting;
    bool store = false; // indicator: to be kept, not discarded
};

// The part information of one decoded PDU, if it is a part.
std::optional<PartInfo> PartOf(const DecodedPdu& pdu);

// The parts of one message, in order, read as one message: content spread
// over parts (a picture message) only when every part came.
Result<ReadMessage> ReadParts(const std::vector<DecodedPdu>& parts);
// One PDU alone.
Result<ReadMessage> ReadPdu(std::string_view hex, bool withSmsc = true);

// Messages from a list of PDUs (a phone's store, the lines given to decode):
// the parts of a long message grouped by sender or destination, reference
// and total, in part order; everything else alone, in the order of the list.
// `sources` are the list positions each message came from, in part order.
struct ReadEntry {
    std::vector<std::size_t> sources;
    Result<ReadMessage> message = Result<ReadMessage>::Fail("");
};
std::vector<ReadEntry> ReadMessages(const std::vector<std::string>& hexes, bool withSmsc = true);

// The request that sends this message on as it came: what `BuildMessage`
// makes from it is the message again. None for data and status reports.
std::optional<MessageRequest> RequestFor(const ReadMessage& message);

// A bitmap drawn in text, one line per row: "#" black, "." white.
std::vector<std::string> DrawBitmap(std::string_view content, int width, int height);

} // namespace velmora
