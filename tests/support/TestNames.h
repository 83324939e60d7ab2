#pragma once

#include <cctype>
#include <string>

namespace velmora::testing {

// A parameterised case's name as gtest and ctest take it: letters and digits
// kept, every other run of characters one underscore, and the case's index
// in front so that like cases stay apart ("3_logo_628569999999_00").
inline std::string CaseName(std::size_t index, const std::string& text) {
    std::string name = std::to_string(index);
    bool gap = true;
    for (const unsigned char c : text) {
        if (std::isalnum(c)) {
            if (gap)
                name += '_';
            name += static_cast<char>(c);
            gap = false;
        } else {
            gap = true;
        }
    }
    return name.substr(0, 60);
}

} // namespace velmora::testing
