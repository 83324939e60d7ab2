// Lines of PDU text as a phone's store lists them: every message is read or
// refused with a reason, each PDU counts in exactly one message, a bitmap
// is drawn to its size, and a message sent on as it came reads back as the
// same kind. Each line taken apart field by field stays within its octets
// and is refused exactly when the decoder refuses it.

#include "FuzzCheck.h"
#include "MessageReader.h"
#include "PduFields.h"

#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> lines(1);
    for (std::size_t i = 0; i < size && lines.size() <= 16; ++i) {
        if (data[i] == '\n')
            lines.emplace_back();
        else
            lines.back() += static_cast<char>(data[i]);
    }
    for (bool withSmsc : {true, false}) {
        for (const auto& line : lines) {
            const auto fields = velmora::InspectPdu(line, withSmsc);
            FUZZ_CHECK(fields.fault.empty() == velmora::DecodePdu(line, withSmsc).ok());
            for (const auto& f : fields.fields)
                FUZZ_CHECK(f.count > 0 && 2 * (f.offset + f.count) <= line.size() + 1);
        }
        std::set<std::size_t> seen;
        for (const auto& entry : velmora::ReadMessages(lines, withSmsc)) {
            FUZZ_CHECK(!entry.sources.empty());
            for (std::size_t s : entry.sources)
                FUZZ_CHECK(s < lines.size() && seen.insert(s).second);
            if (!entry.message) {
                FUZZ_CHECK(!entry.message.error().empty());
                continue;
            }
            const velmora::ReadMessage& m = *entry.message;
            const auto rows = velmora::DrawBitmap(m.content, m.width, m.height);
            FUZZ_CHECK(rows.size() == static_cast<std::size_t>(m.height));
            const auto request = velmora::RequestFor(m);
            if (!request)
                continue;
            const auto built = velmora::BuildMessage(*request);
            if (!built)
                continue;
            const auto again = velmora::ReadMessages(built->pdus);
            FUZZ_CHECK(again.size() == 1 && again[0].message);
            FUZZ_CHECK(again[0].message->kind == m.kind);
        }
    }
    return 0;
}
