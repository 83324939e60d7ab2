// Any text as RTTTL: always a well-formed ringing-tone command whose
// instruction count matches the notes actually written.

#include "FuzzCheck.h"
#include "Primitives.h"
#include "Ringtone.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto tune = velmora::EncodeRingtone(text);
    const std::string& bits = tune.bits;
    FUZZ_CHECK(bits.find_first_not_of("01") == std::string::npos);
    FUZZ_CHECK(bits.size() % 8 == 0);
    FUZZ_CHECK(tune.titleOctets.size() <= 15);
    FUZZ_CHECK(bits.substr(0, 26) == "00000010010010100011101001");

    const std::size_t title = velmora::BitsToInt(bits.substr(26, 4));
    FUZZ_CHECK(title == tune.titleOctets.size());
    FUZZ_CHECK(bits.substr(30, 8 * title) == velmora::TextToBits(tune.titleOctets, false));
    const std::size_t countAt = 30 + 8 * title + 17;
    const std::size_t count = velmora::BitsToInt(bits.substr(countAt, 8));
    FUZZ_CHECK(count >= 3 && count % 2 == 1);
    const std::size_t notesEnd = countAt + 8 + 8 + 12 + 17 * (count - 3) / 2;
    FUZZ_CHECK(bits.size() == (notesEnd + 7) / 8 * 8 + 8);
    FUZZ_CHECK(bits.find('1', notesEnd) == std::string::npos);
    for (std::size_t at = countAt + 28; at < notesEnd; at += 17) {
        FUZZ_CHECK(bits.substr(at, 3) == "010" && bits.substr(at + 5, 3) == "001");
        FUZZ_CHECK(velmora::BitsToInt(bits.substr(at + 12, 3)) <= 5); // 32nd note is the shortest
        FUZZ_CHECK(bits.substr(at + 15, 1) == "0");                   // dotted 01, plain 00
    }

    const auto file = velmora::RingtoneFromLine(text);
    FUZZ_CHECK(IsPduText(file.content));
    FUZZ_CHECK(file.content == velmora::BitsToHex(bits));
    return 0;
}
