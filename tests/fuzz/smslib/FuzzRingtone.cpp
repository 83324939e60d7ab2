// Any text as RTTTL: always a well-formed ringing-tone command whose
// instruction count matches the notes actually written, which the reader
// takes back to a line the encoder turns into the same notes. The same bytes
// as received content: read or refused by octet, never out of range.

#include "FuzzCheck.h"
#include "Primitives.h"
#include "Ringtone.h"
#include "RingtoneReader.h"

#include <algorithm>
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

    const auto read = velmora::ReadRingtone(file.content);
    FUZZ_CHECK(read.ok());
    FUZZ_CHECK(read->title == tune.titleOctets);
    FUZZ_CHECK(read->notes.size() == (count - 3) / 2);
    // Past the title, which RTTTL cannot always carry as it is (a ":" or ","
    // in it), the stream comes back bit for bit.
    const std::string again = velmora::EncodeRingtone(read->rtttl).bits;
    const std::size_t againTitle = velmora::BitsToInt(again.substr(26, 4));
    FUZZ_CHECK(again.substr(30 + 8 * againTitle) == bits.substr(30 + 8 * title));

    std::string hex;
    for (std::size_t k = 0; k < size; ++k)
        hex += velmora::ByteToHex(data[k]);
    const auto received = velmora::ReadRingtone(hex);
    if (!received) {
        const std::string& why = received.error();
        FUZZ_CHECK(why.rfind("octet ", 0) == 0 || why.rfind("cannot read octet ", 0) == 0);
        return 0;
    }
    // Its line, sent on, plays each note in the nearest form RTTTL has, as
    // many as one instruction count numbers.
    const auto shown =
        velmora::ReadRingtone(velmora::BitsToHex(velmora::EncodeRingtone(received->rtttl).bits));
    FUZZ_CHECK(shown.ok() && shown->tempo == received->tempo);
    FUZZ_CHECK(shown->notes.size() == std::min<std::size_t>(received->notes.size(), (255 - 3) / 2));
    for (std::size_t k = 0; k < shown->notes.size(); ++k) {
        velmora::TuneNote nearest = received->notes[k];
        nearest.specifier = nearest.specifier == 2 ? 1 : nearest.specifier == 3 ? 0 : nearest.specifier;
        FUZZ_CHECK(shown->notes[k] == nearest);
    }
    return 0;
}
