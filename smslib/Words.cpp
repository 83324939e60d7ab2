#include "Words.h"

#include <vector>

namespace velmora {

std::string Fill(std::string_view pattern, std::initializer_list<std::string_view> args) {
    const std::vector<std::string_view> given(args);
    std::string out;
    out.reserve(pattern.size() + 32);
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' && pattern[i + 1] <= '9') {
            const auto n = static_cast<std::size_t>(pattern[i + 1] - '1');
            if (n < given.size()) {
                out += given[n];
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

} // namespace velmora
