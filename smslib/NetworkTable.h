#pragma once

#include <string>
#include <string_view>

namespace velmora {

struct MccNc {
    std::string mcc; // 3 characters, or empty
    std::string nc;  // 2 characters, or empty
};

// The network of an Indonesian mobile number (country code 62, MCC 510) from
// its prefix, as a network code, or empty when no prefix is known.
std::string NetworkCodeForNumber(std::string_view number);
MccNc SplitNetworkCode(std::string_view code);
// MCC digit 2, MCC digit 1, "F", MCC digit 3, NC digit 2, NC digit 1: the
// semi-octet order of TS 24.008. Empty unless MCC has 3 characters and NC 2.
std::string MakeNetworkCode(std::string_view mcc, std::string_view nc);

} // namespace velmora
