#include "Replies.h"

#include "Said.h"
#include "Words.h"

namespace velmora {

namespace {

constexpr std::string_view kCrLf = "\r\n";

// Trims blanks and control characters from both ends.
std::string_view Trim(std::string_view s) {
    while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ')
        s.remove_prefix(1);
    while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ')
        s.remove_suffix(1);
    return s;
}

// The text after `marker` up to the end of its line, or nothing.
bool AfterMarker(std::string_view text, std::string_view marker, std::string_view& rest) {
    const auto at = text.find(marker);
    if (at == std::string_view::npos)
        return false;
    rest = text.substr(at + marker.size());
    rest = rest.substr(0, rest.find(kCrLf));
    return true;
}

struct Meaning {
    int code;
    const char* text;
};

// +CME ERROR codes of 3GPP TS 27.007 clause 9.2.1.
constexpr Meaning kCmeMeanings[] = {
    {0, VELMORA_WORDS("link/Replies", "phone failure")},
    {1, VELMORA_WORDS("link/Replies", "no connection to phone")},
    {2, VELMORA_WORDS("link/Replies", "phone-adaptor link reserved")},
    {3, VELMORA_WORDS("link/Replies", "operation not allowed")},
    {4, VELMORA_WORDS("link/Replies", "operation not supported")},
    {5, VELMORA_WORDS("link/Replies", "PH-SIM PIN required")},
    {10, VELMORA_WORDS("link/Replies", "SIM not inserted")},
    {11, VELMORA_WORDS("link/Replies", "SIM PIN required")},
    {12, VELMORA_WORDS("link/Replies", "SIM PUK required")},
    {13, VELMORA_WORDS("link/Replies", "SIM failure")},
    {14, VELMORA_WORDS("link/Replies", "SIM busy")},
    {15, VELMORA_WORDS("link/Replies", "SIM wrong")},
    {16, VELMORA_WORDS("link/Replies", "incorrect password")},
    {17, VELMORA_WORDS("link/Replies", "SIM PIN2 required")},
    {18, VELMORA_WORDS("link/Replies", "SIM PUK2 required")},
    {20, VELMORA_WORDS("link/Replies", "memory full")},
    {21, VELMORA_WORDS("link/Replies", "invalid index")},
    {22, VELMORA_WORDS("link/Replies", "not found")},
    {23, VELMORA_WORDS("link/Replies", "memory failure")},
    {24, VELMORA_WORDS("link/Replies", "text string too long")},
    {25, VELMORA_WORDS("link/Replies", "invalid characters in text string")},
    {26, VELMORA_WORDS("link/Replies", "dial string too long")},
    {27, VELMORA_WORDS("link/Replies", "invalid characters in dial string")},
    {30, VELMORA_WORDS("link/Replies", "no network service")},
    {31, VELMORA_WORDS("link/Replies", "network timeout")},
    {32, VELMORA_WORDS("link/Replies", "network not allowed - emergency calls only")},
    {100, VELMORA_WORDS("link/Replies", "unknown")},
};

// +CMS ERROR codes: below 128 the RP-cause of 3GPP TS 24.011 table 8.4, from
// 128 to 255 the TP-FCS of TS 23.040 clause 9.2.3.22, from 300 the phone's own
// of TS 27.005 clause 3.2.5.
constexpr Meaning kCmsMeanings[] = {
    {1, VELMORA_WORDS("link/Replies", "unassigned (unallocated) number")},
    {8, VELMORA_WORDS("link/Replies", "operator determined barring")},
    {10, VELMORA_WORDS("link/Replies", "call barred")},
    {21, VELMORA_WORDS("link/Replies", "short message transfer rejected")},
    {22, VELMORA_WORDS("link/Replies", "memory capacity exceeded")},
    {27, VELMORA_WORDS("link/Replies", "destination out of order")},
    {28, VELMORA_WORDS("link/Replies", "unidentified subscriber")},
    {29, VELMORA_WORDS("link/Replies", "facility rejected")},
    {30, VELMORA_WORDS("link/Replies", "unknown subscriber")},
    {38, VELMORA_WORDS("link/Replies", "network out of order")},
    {41, VELMORA_WORDS("link/Replies", "temporary failure")},
    {42, VELMORA_WORDS("link/Replies", "congestion")},
    {47, VELMORA_WORDS("link/Replies", "resources unavailable, unspecified")},
    {50, VELMORA_WORDS("link/Replies", "requested facility not subscribed")},
    {69, VELMORA_WORDS("link/Replies", "requested facility not implemented")},
    {81, VELMORA_WORDS("link/Replies", "invalid short message transfer reference value")},
    {95, VELMORA_WORDS("link/Replies", "semantically incorrect message")},
    {96, VELMORA_WORDS("link/Replies", "invalid mandatory information")},
    {97, VELMORA_WORDS("link/Replies", "message type non-existent or not implemented")},
    {98, VELMORA_WORDS("link/Replies", "message not compatible with short message protocol state")},
    {99, VELMORA_WORDS("link/Replies", "information element non-existent or not implemented")},
    {111, VELMORA_WORDS("link/Replies", "protocol error, unspecified")},
    {127, VELMORA_WORDS("link/Replies", "interworking, unspecified")},
    {128, VELMORA_WORDS("link/Replies", "telematic interworking not supported")},
    {129, VELMORA_WORDS("link/Replies", "short message type 0 not supported")},
    {130, VELMORA_WORDS("link/Replies", "cannot replace short message")},
    {143, VELMORA_WORDS("link/Replies", "unspecified protocol identifier error")},
    {144, VELMORA_WORDS("link/Replies", "data coding scheme not supported")},
    {145, VELMORA_WORDS("link/Replies", "message class not supported")},
    {159, VELMORA_WORDS("link/Replies", "unspecified data coding scheme error")},
    {176, VELMORA_WORDS("link/Replies", "TPDU not supported")},
    {192, VELMORA_WORDS("link/Replies", "service centre busy")},
    {193, VELMORA_WORDS("link/Replies", "no service centre subscription")},
    {194, VELMORA_WORDS("link/Replies", "service centre system failure")},
    {195, VELMORA_WORDS("link/Replies", "invalid destination address")},
    {196, VELMORA_WORDS("link/Replies", "destination barred")},
    {197, VELMORA_WORDS("link/Replies", "duplicate message rejected")},
    {208, VELMORA_WORDS("link/Replies", "SIM message storage full")},
    {209, VELMORA_WORDS("link/Replies", "no message storage on the SIM")},
    {210, VELMORA_WORDS("link/Replies", "error in the phone")},
    {211, VELMORA_WORDS("link/Replies", "memory capacity exceeded")},
    {255, VELMORA_WORDS("link/Replies", "unspecified error")},
    {300, VELMORA_WORDS("link/Replies", "ME failure")},
    {301, VELMORA_WORDS("link/Replies", "SMS service of ME reserved")},
    {302, VELMORA_WORDS("link/Replies", "operation not allowed")},
    {303, VELMORA_WORDS("link/Replies", "operation not supported")},
    {304, VELMORA_WORDS("link/Replies", "invalid PDU mode parameter")},
    {305, VELMORA_WORDS("link/Replies", "invalid text mode parameter")},
    {310, VELMORA_WORDS("link/Replies", "SIM not inserted")},
    {311, VELMORA_WORDS("link/Replies", "SIM PIN required")},
    {312, VELMORA_WORDS("link/Replies", "PH-SIM PIN required")},
    {313, VELMORA_WORDS("link/Replies", "SIM failure")},
    {314, VELMORA_WORDS("link/Replies", "SIM busy")},
    {315, VELMORA_WORDS("link/Replies", "SIM wrong")},
    {316, VELMORA_WORDS("link/Replies", "SIM PUK required")},
    {317, VELMORA_WORDS("link/Replies", "SIM PIN2 required")},
    {318, VELMORA_WORDS("link/Replies", "SIM PUK2 required")},
    {320, VELMORA_WORDS("link/Replies", "memory failure")},
    {321, VELMORA_WORDS("link/Replies", "invalid memory index")},
    {322, VELMORA_WORDS("link/Replies", "memory full")},
    {330, VELMORA_WORDS("link/Replies", "SMSC address unknown")},
    {331, VELMORA_WORDS("link/Replies", "no network service")},
    {332, VELMORA_WORDS("link/Replies", "network timeout")},
    {340, VELMORA_WORDS("link/Replies", "no +CNMA acknowledgement expected")},
    {500, VELMORA_WORDS("link/Replies", "unknown error")},
};

template <std::size_t N> const char* MeaningOf(const Meaning (&table)[N], std::string_view digits) {
    if (digits.empty() || digits.size() > 3)
        return nullptr;
    int code = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return nullptr;
        code = code * 10 + (c - '0');
    }
    for (const auto& m : table)
        if (m.code == code)
            return m.text;
    return nullptr;
}

} // namespace

std::string PhoneRefusal(std::string_view reply) {
    static constexpr std::string_view kCme = "+CME ERROR:", kCms = "+CMS ERROR:";
    const auto cme = reply.find(kCme), cms = reply.find(kCms);
    if (cme == std::string_view::npos && cms == std::string_view::npos)
        return "";
    const bool isCme = cme < cms;
    const std::string_view prefix = isCme ? kCme : kCms;
    std::string_view rest = reply.substr((isCme ? cme : cms) + prefix.size());
    rest = Trim(rest.substr(0, rest.find_first_of("\r\n")));
    if (rest.empty())
        return std::string(prefix);
    std::string text = std::string(prefix) + " " + std::string(rest);
    // The error line stays the phone's; only our name for its code is said
    // in the user's language.
    if (const char* meaning = isCme ? MeaningOf(kCmeMeanings, rest) : MeaningOf(kCmsMeanings, rest))
        text += " (" + translate("link/Replies", meaning) + ")";
    return text;
}

bool AsksForSimPin(std::string_view reply) {
    for (const auto& [marker, code] : {std::pair{std::string_view("+CME ERROR:"), std::string_view("11")},
                                       std::pair{std::string_view("+CMS ERROR:"), std::string_view("311")}}) {
        std::string_view rest;
        if (!AfterMarker(reply, marker, rest))
            continue;
        rest = Trim(rest.substr(0, rest.find_first_of("\r\n")));
        if (rest == code || rest == "SIM PIN required")
            return true;
    }
    return false;
}

std::string FirstReplyLine(std::string_view reply) {
    if (reply.substr(0, 2) == kCrLf)
        reply.remove_prefix(2);
    return std::string(reply.substr(0, reply.find(kCrLf)));
}

SignalTexts CutSignalQuality(std::string_view reply) {
    SignalTexts t;
    const auto p = reply.find("+CSQ:");
    if (p == std::string_view::npos)
        return t;
    t.found = true;
    const auto c = reply.find(',');
    if (c == std::string_view::npos)
        return t;
    const auto start = p + 6;
    if (c > start)
        t.rssi = std::string(reply.substr(start, c - start));
    t.ber = std::string(reply.substr(c + 1, 2));
    return t;
}

int LeadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    int n = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        if (n < 100000) // anything this large is already out of every range
            n = n * 10 + (text[i] - '0');
    return n;
}

int SignalClass(int rssi) {
    if (rssi == 0)
        return 1;
    if (rssi == 1)
        return 2;
    if (rssi >= 2 && rssi <= 30)
        return 3;
    if (rssi == 31)
        return 4;
    return 0;
}

int BerClass(int ber) { return ber >= 0 && ber <= 7 ? 1 : 0; }

namespace {

struct Field {
    std::string text;
    bool quoted = false; // the phone wrote it in double quotes
};

std::vector<Field> SplitFields(std::string_view text) {
    std::vector<Field> fields(1);
    bool quoted = false;
    for (char c : text) {
        if (c == '"') {
            quoted = !quoted;
            fields.back().quoted = true;
        } else if (c == ',' && !quoted) {
            fields.emplace_back();
        } else {
            fields.back().text += c;
        }
    }
    return fields;
}

// A type of address (TS 24.008 10.5.4.7) as +CPBR gives it: a number from
// 128 to 255, never quoted.
bool IsAddressType(const Field& field) {
    const std::string_view digits = Trim(field.text);
    if (field.quoted || digits.empty() || digits.size() > 3 ||
        digits.find_first_not_of("0123456789") != std::string_view::npos)
        return false;
    const int type = LeadingNumber(digits);
    return type >= 128 && type <= 255;
}

} // namespace

std::vector<std::string> SplitQuotedFields(std::string_view text) {
    std::vector<std::string> fields;
    for (Field& field : SplitFields(text))
        fields.push_back(std::move(field.text));
    return fields;
}

PhonebookEntry ParsePhonebookReply(std::string_view reply) {
    PhonebookEntry e;
    std::string_view rest;
    if (!AfterMarker(reply, "+CPBR: ", rest))
        return e;
    e.found = true;
    auto fields = SplitFields(rest);
    fields.resize(std::max<std::size_t>(fields.size(), 4));
    // "<index>,<number>,<type>,<text>" (TS 27.007 8.12), read by position
    // while the third field is a type. Some phones repeat or add a field
    // before the type ("1,,\"+3123\",145,\"Mama\""): then the number is the
    // field written before the first type, and the name the one after it.
    std::size_t number = 1;
    if (!IsAddressType(fields[2]))
        for (std::size_t type = 3; type < fields.size(); ++type)
            if (IsAddressType(fields[type]) && (fields[type - 1].quoted || !fields[type - 1].text.empty())) {
                number = type - 1;
                break;
            }
    fields.resize(std::max(fields.size(), number + 3));
    e.index = fields[0].text;
    e.number = fields[number].text;
    e.type = fields[number + 1].text;
    e.name = fields[number + 2].text;
    return e;
}

OperatorEntry ParseOperatorLine(std::string_view line) {
    OperatorEntry e;
    std::string_view rest;
    if (!AfterMarker(line, "+COPN: ", rest))
        return e;
    e.found = true;
    auto fields = SplitQuotedFields(rest);
    fields.resize(std::max<std::size_t>(fields.size(), 2));
    e.code = fields[0];
    e.name = fields[1];
    return e;
}

std::vector<OperatorEntry> ParseOperatorReply(std::string_view reply) {
    std::vector<OperatorEntry> list;
    for (auto end = reply.find(kCrLf); end != std::string_view::npos; end = reply.find(kCrLf)) {
        const std::string_view line = Trim(reply.substr(0, end));
        reply.remove_prefix(end + 2);
        if (line.empty())
            continue;
        if (auto e = ParseOperatorLine(line); e.found)
            list.push_back(std::move(e));
    }
    return list;
}

} // namespace velmora
