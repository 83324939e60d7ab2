// The text builder takes whatever a user can type or paste.

#include "FuzzCheck.h"
#include "Primitives.h"
#include "SmsSubmit.h"
#include "Strings.h"
#include "TextPdu.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    const bool flash = data[0] & 1;
    const bool blink = data[0] & 2;
    const std::string utf8(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::u16string text = velmora::Utf8ToUtf16(utf8);
    const auto pdu = velmora::BuildTextPDU("628569999999", text, flash, blink);
    if (!pdu) {
        FUZZ_CHECK(!pdu.error().empty());
        return 0;
    }
    FUZZ_CHECK(IsPduText(*pdu));
    // The user data never exceeds one message: 14 octets of header for this number, then at most 140.
    const int octets = velmora::SubmitOctetCount(*pdu);
    FUZZ_CHECK(octets <= 14 + velmora::kMaxUserDataOctets);
    if (!flash) {
        const auto udl = velmora::HexToInt(pdu->substr(28, 2));
        FUZZ_CHECK(udl <= 160);
        FUZZ_CHECK(pdu->size() - 30 == 2 * ((udl * 7 + 7) / 8));
    }
    return 0;
}
