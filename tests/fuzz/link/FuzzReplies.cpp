// Whatever a phone sends, the reply parsers keep to their shape: no crash, no
// text invented, and the properties the session relies on.

#include "AtReader.h"
#include "FuzzCheck.h"
#include "ModemIdentity.h"
#include "PduDecoder.h"
#include "Replies.h"
#include "StatusReport.h"
#include "StoreReplies.h"
#include "Strings.h"
#include "Ussd.h"
#include "UssdReplies.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

using namespace velmora;

namespace {

bool Within(std::string_view part, std::string_view whole) {
    return whole.find(part) != std::string_view::npos;
}

void CheckFirstLine(std::string_view reply) {
    const std::string line = FirstReplyLine(reply);
    FUZZ_CHECK(line.size() <= reply.size());
    FUZZ_CHECK(line.find("\r\n") == std::string::npos);
    FUZZ_CHECK(Within(line, reply));
}

void CheckSignal(std::string_view reply) {
    const SignalTexts t = CutSignalQuality(reply);
    FUZZ_CHECK(t.found == Within("+CSQ:", reply));
    FUZZ_CHECK(t.ber.size() <= 2);
    FUZZ_CHECK(Within(t.rssi, reply) && Within(t.ber, reply));
    const int bars = SignalClass(LeadingNumber(t.rssi));
    FUZZ_CHECK(bars >= 0 && bars <= 4);
    FUZZ_CHECK(LeadingNumber(t.ber) >= 0);
}

std::string WithoutQuotes(std::string_view s) {
    std::string out;
    for (char c : s)
        if (c != '"')
            out += c;
    return out;
}

// A field is a run of the reply with its quotes dropped; nothing is added.
bool Unquoted(const std::string& field, std::string_view source) {
    return field.find('"') == std::string::npos && Within(field, WithoutQuotes(source));
}

void CheckPhonebook(std::string_view reply) {
    const PhonebookEntry e = ParsePhonebookReply(reply);
    FUZZ_CHECK(e.found == Within("+CPBR: ", reply));
    for (const std::string* f : {&e.index, &e.number, &e.type, &e.name})
        FUZZ_CHECK(Unquoted(*f, reply));
}

void CheckOperators(std::string_view reply) {
    const OperatorEntry e = ParseOperatorLine(reply);
    FUZZ_CHECK(e.found == Within("+COPN: ", reply));
    FUZZ_CHECK(Unquoted(e.code, reply) && Unquoted(e.name, reply));
    for (const OperatorEntry& op : ParseOperatorReply(reply)) {
        FUZZ_CHECK(op.found);
        FUZZ_CHECK(Unquoted(op.code, reply) && Unquoted(op.name, reply));
    }
}

// A refusal is found exactly when a reply holds one; it is one line that
// starts with its marker.
void CheckRefusal(std::string_view reply) {
    const std::string r = PhoneRefusal(reply);
    FUZZ_CHECK(r.empty() == !(Within("+CME ERROR:", reply) || Within("+CMS ERROR:", reply)));
    FUZZ_CHECK(r.find_first_of("\r\n") == std::string::npos);
    FUZZ_CHECK(r.empty() || r.rfind("+CME ERROR:", 0) == 0 || r.rfind("+CMS ERROR:", 0) == 0);
}

// However the bytes are split on their way, the answer read is the same,
// and every line of it came from the bytes. (A prompt ends no line, so
// where the bytes stop decides it: the length command's reader is only run.)
void CheckReader(std::string_view reply) {
    AtReader prompt;
    prompt.Start("at+cmgs=22\r", true);
    prompt.Feed(reply);
    FUZZ_CHECK(prompt.Final() != FinalResult::Prompt || Within(">", reply));
    AtReader whole, split;
    whole.Start("at+cgmi\r");
    whole.Feed(reply);
    split.Start("at+cgmi\r");
    const std::size_t cut = reply.empty() ? 0 : static_cast<unsigned char>(reply[0]) % reply.size();
    split.Feed(reply.substr(0, cut));
    split.Feed(reply.substr(cut));
    FUZZ_CHECK(whole.Final() == split.Final());
    FUZZ_CHECK(whole.Lines() == split.Lines());
    for (const std::string& line : whole.Lines()) {
        FUZZ_CHECK(Within(line, reply) && line.find('\r') == std::string::npos);
        // A line feed stays in a line only inside double quotes.
        bool quoted = false;
        for (char c : line) {
            if (c == '"')
                quoted = !quoted;
            FUZZ_CHECK(c != '\n' || quoted);
        }
    }
    FUZZ_CHECK(whole.TakeUnsolicited() == split.TakeUnsolicited());
}

void CheckStatusReport(std::string_view pdu) {
    const auto report = ParseStatusReport(pdu);
    if (!report)
        return;
    FUZZ_CHECK(report->reference >= 0 && report->reference <= 255);
    FUZZ_CHECK(report->recipient.size() <= 21);
    FUZZ_CHECK(!StatusText(report->status).empty());
}

// A PDU is read or refused, with or without its service-centre part; what
// is read keeps to the field sizes.
void CheckDecoder(std::string_view pdu) {
    for (bool withSmsc : {true, false}) {
        const auto d = DecodePdu(pdu, withSmsc);
        if (!d) {
            FUZZ_CHECK(!d.error().empty());
            continue;
        }
        // 20 digits and a "+"; or 11 septets of a name, each at most two
        // octets of UTF-8 (the euro sign takes two septets for three).
        FUZZ_CHECK(d->number.size() <= 22 && d->smsc.size() <= 21);
        FUZZ_CHECK(d->text.size() <= 160 && d->data.size() <= 2 * 255);
    }
}

bool IsHexPdu(const std::string& pdu) {
    return !pdu.empty() && pdu.size() % 2 == 0 &&
           pdu.find_first_not_of("0123456789ABCDEFabcdef") == std::string::npos;
}

// A listed or read message is hex within its bounds (put back together
// where an unsolicited line cut it), and a listed one that is not is named
// with a reason; the storages are names the reply gives; an ended answer
// holds its result code.
void CheckStoreReplies(std::string_view reply) {
    const StoreList list = ParseMessageList(reply);
    FUZZ_CHECK(reply.size() <= kListReplyLimit || (list.entries.empty() && list.unread.empty()));
    for (const StoreEntry& e : list.entries) {
        FUZZ_CHECK(e.index && *e.index >= 0 && e.status >= 0 && e.status <= 3);
        FUZZ_CHECK(IsHexPdu(e.pdu) && e.pdu.size() <= kPduHexLimit);
    }
    for (const UnreadEntry& u : list.unread)
        FUZZ_CHECK(!u.why.empty());
    const StoreRead read = ParseMessageRead(reply);
    if (read.outcome == StoreRead::Outcome::Message) {
        FUZZ_CHECK(read.entry.status >= 0 && read.entry.status <= 3);
        FUZZ_CHECK(IsHexPdu(read.entry.pdu) && read.entry.pdu.size() <= kPduHexLimit);
    } else {
        FUZZ_CHECK(read.entry.pdu.empty() && (read.outcome == StoreRead::Outcome::Gone) == read.why.empty());
    }
    for (const std::string& name : ParseStorages(reply).value_or(std::vector<std::string>()))
        FUZZ_CHECK(!name.empty() && name.size() <= 4 && Within(name, reply));
    if (const auto used = ParseStorageUsed(reply))
        FUZZ_CHECK(*used >= 0 && Within("+CPMS:", reply));
    FUZZ_CHECK(!AnswerEnded(reply) || Within("OK", reply) || Within("ERROR", reply));
}

// The network's line keeps to its fields' bounds, and whatever its coding
// says, what is read of it is text: UTF-8, from a known way of reading.
void CheckUssd(std::string_view reply) {
    const auto cusd = ParseCusd(reply);
    FUZZ_CHECK(!cusd || reply.substr(0, 6) == "+CUSD:");
    if (cusd) {
        FUZZ_CHECK(cusd->status >= 0 && cusd->status <= 9);
        FUZZ_CHECK(!cusd->str || (cusd->str->size() <= kUssdStringLimit && Within(*cusd->str, reply)));
        FUZZ_CHECK(!cusd->dcs || (*cusd->dcs >= 0 && *cusd->dcs <= 255));
    }
    const std::string_view str = cusd && cusd->str ? std::string_view(*cusd->str) : reply.substr(0, 512);
    const int dcs = reply.empty() ? 15 : static_cast<unsigned char>(reply.back());
    for (const UssdWire wire : {UssdWire::Unknown, UssdWire::Text, UssdWire::Packed}) {
        const UssdText t = DecodeUssd(str, dcs, wire);
        FUZZ_CHECK(IsUtf8(t.text));
        FUZZ_CHECK(t.how == "text" || t.how == "packed" || t.how == "septets" || t.how == "ucs2" ||
                   t.how == "8-bit" || t.how == "as-is");
    }
    const bool hex = !str.empty() && str.size() % 2 == 0 &&
                     str.find_first_not_of("0123456789ABCDEFabcdef") == std::string_view::npos;
    FUZZ_CHECK(UnpackUssd(str).has_value() == hex);
}

} // namespace

// An IMEI is only ever digits the answer holds, 14 to 17 of them.
void CheckImei(std::string_view reply) {
    AtReader reader;
    reader.Start("AT+CGSN\r");
    reader.Feed(reply);
    const std::string imei = ImeiFromLines(reader.Lines());
    FUZZ_CHECK(imei.empty() || (imei.size() >= 14 && imei.size() <= 17));
    FUZZ_CHECK(imei.find_first_not_of("0123456789") == std::string::npos);
    FUZZ_CHECK(Within(imei, reply));
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view reply(reinterpret_cast<const char*>(data), size);
    CheckFirstLine(reply);
    CheckSignal(reply);
    CheckPhonebook(reply);
    CheckOperators(reply);
    CheckRefusal(reply);
    CheckReader(reply);
    CheckStatusReport(reply);
    CheckDecoder(reply);
    CheckStoreReplies(reply);
    CheckUssd(reply);
    CheckImei(reply);
    return 0;
}
