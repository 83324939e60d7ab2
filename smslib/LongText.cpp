#include "LongText.h"

#include "Words.h"

#include "Gsm7.h"
#include "Primitives.h"
#include "SmsSubmit.h"

#include <algorithm>

namespace velmora {

namespace {

int SingleCapacity(TextCoding coding) { return coding == TextCoding::Gsm7 ? 160 : kMaxUcs2Units; }
int PartCapacity(TextCoding coding) {
    return coding == TextCoding::Gsm7 ? kSeptetsPerPart : kUcs2UnitsPerPart;
}

bool IsHighSurrogate(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLowSurrogate(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

// UTF-16 units of the character that starts at `i`: two for a surrogate
// pair, which no cut may separate.
std::size_t CharacterLength(std::u16string_view text, std::size_t i) {
    return IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1]) ? 2 : 1;
}

// What one character costs: an extension character is an escape pair of
// two septets, kept whole by costing them together.
int Cost(std::u16string_view character, TextCoding coding) {
    if (coding == TextCoding::Ucs2)
        return static_cast<int>(character.size());
    int septets = 0;
    for (char16_t unit : character) {
        const int n = CountSeptets(std::u16string_view(&unit, 1));
        septets += n < 0 ? 1 : n;
    }
    return septets;
}

std::string Ucs2Hex(std::u16string_view text) {
    std::string hex;
    hex.reserve(text.size() * 4);
    for (char16_t unit : text) {
        hex += ByteToHex(unit >> 8);
        hex += ByteToHex(unit & 0xFF);
    }
    return hex;
}

// The user data header of part `i` of `n` (TS 23.040 clause 9.2.3.24.1):
// its length 05, then IE 00 (concatenation, 8-bit reference) of length 03.
std::string ConcatenationHeader(int reference, int n, int i) {
    return "050003" + ByteToHex(reference) + ByteToHex(n) + ByteToHex(i);
}

// The septets of a part follow the header from septet 7 on: packing seven
// zero septets in front and writing the header's six octets over them
// leaves the fill bit zero (TS 23.040 clause 9.2.3.24).
std::string PackAfterHeader(const std::string& header, const std::string& codes) {
    std::string packed = BitsToHex(PackSeptets(TextToBits(std::string(7, '\0') + codes, true)));
    packed.replace(0, header.size(), header);
    return packed;
}

using Pdus = Result<std::vector<std::string>>;

Result<std::string> BuildPart(std::string_view number, std::u16string_view piece, TextCoding coding,
                              const std::string& header) {
    const bool udh = !header.empty();
    if (coding == TextCoding::Ucs2) {
        const std::string userData = header + Ucs2Hex(piece);
        return FrameSubmit(number, udh, Dcs::Ucs2, static_cast<int>(userData.size() / 2), userData);
    }
    auto codes = EncodeGsm7(piece);
    if (!codes)
        return codes;
    const auto septets = static_cast<int>(codes->size());
    if (!udh)
        return FrameSubmit(number, false, Dcs::Gsm7, septets,
                           BitsToHex(PackSeptets(TextToBits(*codes, true))));
    return FrameSubmit(number, true, Dcs::Gsm7, 7 + septets, PackAfterHeader(header, *codes));
}

} // namespace

TextCoding CodingFor(std::u16string_view text) {
    return CountSeptets(text) < 0 ? TextCoding::Ucs2 : TextCoding::Gsm7;
}

int CountUnits(std::u16string_view text, TextCoding coding) {
    int units = 0;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = CharacterLength(text, i);
        units += Cost(text.substr(i, length), coding);
        i += length;
    }
    return units;
}

std::vector<std::u16string_view> SplitText(std::u16string_view text, TextCoding coding) {
    if (CountUnits(text, coding) <= SingleCapacity(coding))
        return {text};
    const int capacity = PartCapacity(coding);
    std::vector<std::u16string_view> pieces;
    std::size_t start = 0;
    int used = 0;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = CharacterLength(text, i);
        const int cost = Cost(text.substr(i, length), coding);
        if (used + cost > capacity) {
            pieces.push_back(text.substr(start, i - start));
            start = i;
            used = 0;
        }
        used += cost;
        i += length;
    }
    pieces.push_back(text.substr(start));
    return pieces;
}

PartCount CountParts(std::u16string_view text, TextCoding coding) {
    const auto pieces = SplitText(text, coding);
    const int capacity = pieces.size() == 1 ? SingleCapacity(coding) : PartCapacity(coding);
    return {static_cast<int>(pieces.size()), capacity - CountUnits(pieces.back(), coding)};
}

std::string PartCountText(PartCount count) {
    return Fill(count.parts == 1 ? VELMORA_WORDS("smslib/LongText", "%1 message, %2 left")
                                 : VELMORA_WORDS("smslib/LongText", "%1 messages, %2 left"),
                {std::to_string(count.parts), std::to_string(count.left)});
}

Pdus BuildTextParts(std::string_view number, std::u16string_view text, TextCoding coding, int reference,
                    int maxParts) {
    if (reference < 0 || reference > 255)
        return Pdus::Fail(
            Fill(VELMORA_WORDS("smslib/LongText", "The concatenation reference %1 does not fit in one octet"),
                 {std::to_string(reference)}));
    if (coding == TextCoding::Gsm7) {
        if (const std::u32string bad = UnencodableCharacters(text); !bad.empty())
            return Pdus::Fail(
                Fill(VELMORA_WORDS("smslib/LongText",
                                   "A normal text message cannot carry %1. Remove them, or send the "
                                   "text as Unicode, which carries any character."),
                     {NameCharacters(bad)}));
    }
    const auto pieces = SplitText(text, coding);
    const auto parts = static_cast<int>(pieces.size());
    if (parts > 1 && maxParts <= 1) {
        const int units = CountUnits(text, coding);
        return Pdus::Fail(
            Fill(coding == TextCoding::Gsm7
                     ? VELMORA_WORDS("smslib/LongText",
                                     "The text takes %1 characters; a text message holds at most 160")
                     : VELMORA_WORDS("smslib/LongText", "The text takes %1 UTF-16 units; a Unicode message "
                                                        "holds at most 70 (an emoji counts two)"),
                 {std::to_string(units)}));
    }
    if (parts > maxParts || parts > kMaxParts)
        return Pdus::Fail(Fill(
            VELMORA_WORDS("smslib/LongText", "The text needs %1 messages; a long text is sent as at most %2"),
            {std::to_string(parts), std::to_string(std::min(maxParts, kMaxParts))}));
    std::vector<std::string> pdus;
    pdus.reserve(pieces.size());
    for (int i = 0; i < parts; ++i) {
        const std::string header = parts == 1 ? "" : ConcatenationHeader(reference, parts, i + 1);
        auto pdu = BuildPart(number, pieces[static_cast<std::size_t>(i)], coding, header);
        if (!pdu)
            return Pdus::Fail(pdu.error());
        pdus.push_back(std::move(pdu.value()));
    }
    return Pdus::Ok(std::move(pdus));
}

} // namespace velmora
