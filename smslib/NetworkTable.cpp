#include "NetworkTable.h"

#include <initializer_list>

namespace velmora {

namespace {

struct Row {
    std::initializer_list<std::string_view> prefixes;
    std::string_view code;
};

const Row kRows[] = {
    {{"816", "815"}, "15F010"}, {{"811", "812"}, "15F001"}, {{"818", "817", "819"}, "15F011"},
    {{"856"}, "15F012"},        {{"8315"}, "15F080"},
};

} // namespace

std::string NetworkCodeForNumber(std::string_view number) {
    std::string_view result;
    for (const Row& row : kRows) {
        for (std::string_view prefix : row.prefixes) {
            // After "0", "62" or "+62": the prefix must start at index 1, 2 or 3.
            const std::size_t at = number.find(prefix);
            if (at != std::string_view::npos && at >= 1 && at <= 3) {
                result = row.code; // a later row wins
                break;
            }
        }
    }
    return std::string(result);
}

MccNc SplitNetworkCode(std::string_view code) {
    if (code.size() != 6)
        return {};
    return {{code[1], code[0], code[3]}, {code[5], code[4]}};
}

std::string MakeNetworkCode(std::string_view mcc, std::string_view nc) {
    if (mcc.size() != 3 || nc.size() != 2)
        return {};
    return {mcc[1], mcc[0], 'F', mcc[2], nc[1], nc[0]};
}

} // namespace velmora
