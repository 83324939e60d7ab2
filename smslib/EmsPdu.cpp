#include "EmsPdu.h"

#include "Words.h"

#include "Primitives.h"
#include "SmsSubmit.h"
#include "Strings.h"

namespace velmora {

namespace {

constexpr std::u16string_view kOpen = u"[#";

bool IsDecimal(char16_t c) { return c >= u'0' && c <= u'9'; }

char UpperHex(char16_t c) {
    if (c >= u'a' && c <= u'f')
        return static_cast<char>(c - u'a' + 'A');
    if ((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F'))
        return static_cast<char>(c);
    return '\0';
}

// Hex digits of either case, upper-cased; empty optional-like result on failure.
bool ToHex(std::u16string_view s, std::string& out) {
    out.clear();
    for (char16_t c : s) {
        const char h = UpperHex(c);
        if (h == '\0')
            return false;
        out += h;
    }
    return true;
}

// `tag` runs from "[#" to its "]" inclusive.
Result<EmsElement> ParsePicture(std::u16string_view tag) {
    const std::u16string_view body = tag.substr(5, tag.size() - 6); // between "[#PIC" and "]"
    std::string size;
    if (body.size() < 8 || !ToHex(body.substr(0, 8), size))
        return Result<EmsElement>::Fail(VELMORA_WORDS(
            "smslib/EmsPdu", "The picture tag must start with its width and height as four hex digits each"));
    const auto width = static_cast<int>(HexToInt(size.substr(0, 4)));
    const auto height = static_cast<int>(HexToInt(size.substr(4, 4)));
    std::string data;
    if (!ToHex(body.substr(8), data) || data.size() % 2 != 0)
        return Result<EmsElement>::Fail(
            VELMORA_WORDS("smslib/EmsPdu", "The picture data must be whole octets of hex digits"));
    // Rows of a width that is not a multiple of 8 end in a padded octet.
    const int rowOctets = (width + 7) / 8;
    if (width == 0 || height == 0)
        return Result<EmsElement>::Fail(VELMORA_WORDS("smslib/EmsPdu", "The picture has no pixels"));
    if (rowOctets > 255 || height > 255)
        return Result<EmsElement>::Fail(Fill(
            VELMORA_WORDS("smslib/EmsPdu", "The picture is %1 x %2 pixels; too large for an EMS message"),
            {std::to_string(width), std::to_string(height)}));
    const auto expected = static_cast<std::size_t>(rowOctets) * static_cast<std::size_t>(height);
    if (data.size() / 2 != expected)
        return Result<EmsElement>::Fail(Fill(
            VELMORA_WORDS("smslib/EmsPdu", "The picture data hold %1 octets; a %2 x %3 picture needs %4"),
            {std::to_string(data.size() / 2), std::to_string(width), std::to_string(height),
             std::to_string(expected)}));
    if (expected + 3 > 255)
        return Result<EmsElement>::Fail(
            VELMORA_WORDS("smslib/EmsPdu", "The picture is too large for an EMS message"));
    // Position 0: the composer always puts the picture first.
    return Result<EmsElement>::Ok({"12", "00" + ByteToHex(rowOctets) + ByteToHex(height) + data});
}

} // namespace

Result<EmsMessage> ParseEmsText(std::u16string_view tagged) {
    EmsMessage msg;
    std::size_t i = 0;
    while (i < tagged.size()) {
        const std::size_t open = tagged.find(kOpen, i);
        const std::size_t close = open == std::u16string_view::npos ? open : tagged.find(u']', open + 2);
        if (close == std::u16string_view::npos) {
            msg.text += tagged.substr(i); // no complete tag left: the rest is text
            break;
        }
        msg.text += tagged.substr(i, open - i);
        const std::u16string_view tag = tagged.substr(open, close - open + 1);
        const std::u16string_view type = tag.substr(2, 3);
        const bool predefined = tag.size() == 8 && IsDecimal(tag[5]) && IsDecimal(tag[6]);
        if (predefined && (type == u"ANI" || type == u"SND")) {
            if (msg.text.size() > 255)
                return Result<EmsMessage>::Fail(
                    VELMORA_WORDS("smslib/EmsPdu", "The EMS text is too long for one message of 140 octets"));
            const int number = (tag[5] - u'0') * 10 + (tag[6] - u'0');
            msg.elements.push_back({type == u"ANI" ? "0D" : "0B",
                                    ByteToHex(static_cast<int>(msg.text.size())) + ByteToHex(number)});
        } else if (type == u"PIC") {
            auto picture = ParsePicture(tag);
            if (!picture)
                return Result<EmsMessage>::Fail(picture.error());
            msg.elements.push_back(std::move(picture.value()));
        }
        i = close + 1;
    }
    for (char16_t c : msg.text)
        if (c > 0xFF)
            return Result<EmsMessage>::Fail(
                Fill(VELMORA_WORDS("smslib/EmsPdu",
                                   "An EMS text is sent as 8-bit characters and cannot carry \"%1\""),
                     {Utf16ToUtf8(std::u16string(1, c))}));
    return Result<EmsMessage>::Ok(std::move(msg));
}

Result<std::string> BuildEMSPDU(std::string_view number, std::u16string_view tagged) {
    auto parsed = ParseEmsText(tagged);
    if (!parsed)
        return Result<std::string>::Fail(parsed.error());
    std::string elements;
    for (const auto& e : parsed->elements) {
        elements += e.id;
        elements += ByteToHex(static_cast<int>(e.data.size() / 2));
        elements += e.data;
    }
    std::string payload;
    for (char16_t c : parsed->text)
        payload += ByteToHex(c);
    const std::size_t octets = 1 + elements.size() / 2 + payload.size() / 2;
    if (octets > kMaxUserDataOctets)
        return Result<std::string>::Fail(Fill(
            VELMORA_WORDS("smslib/EmsPdu", "The EMS message needs %1 octets; one message carries at most "
                                           "140. Shorten the text or use a smaller picture"),
            {std::to_string(octets)}));
    const std::string userData = ByteToHex(static_cast<int>(elements.size() / 2)) + elements + payload;
    return FrameSubmit(number, true, Dcs::Data8BitClass1, static_cast<int>(userData.size() / 2), userData);
}

std::string MakeEmsPictureTag(int width, int height, std::string_view content) {
    auto fourDigits = [](int v) { return ByteToHex((v >> 8) & 0xFF) + ByteToHex(v & 0xFF); };
    return "[#PIC" + fourDigits(width) + fourDigits(height) + std::string(content) + "]";
}

} // namespace velmora
