// Tagged EMS text as a user might type it by hand, tags half-written or wrong.

#include "EmsPdu.h"
#include "FuzzCheck.h"
#include "Primitives.h"
#include "SmsSubmit.h"
#include "Strings.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string utf8(reinterpret_cast<const char*>(data), size);
    const auto pdu = velmora::BuildEMSPDU("628569999999", velmora::Utf8ToUtf16(utf8));
    if (!pdu) {
        FUZZ_CHECK(!pdu.error().empty());
        return 0;
    }
    FUZZ_CHECK(IsPduText(*pdu));
    const auto udl = velmora::HexToInt(pdu->substr(28, 2));
    FUZZ_CHECK(udl <= static_cast<unsigned>(velmora::kMaxUserDataOctets));
    FUZZ_CHECK(pdu->size() - 30 == 2 * udl);
    // The header length octet never claims more than the user data holds.
    FUZZ_CHECK(velmora::HexToInt(pdu->substr(30, 2)) < udl);
    return 0;
}
