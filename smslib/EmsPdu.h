#pragma once

// EMS (TS 23.040 clause 9.2.3.24.10): text with predefined animations and
// sounds and one variable picture, placed by information elements of the
// user-data header at character positions of the 8-bit text.

#include "Result.h"

#include <string>
#include <string_view>
#include <vector>

namespace velmora {

struct EmsElement {
    std::string id;   // "0D" animation, "0B" sound, "12" picture
    std::string data; // hex, without identifier and length
};

struct EmsMessage {
    std::u16string text; // what is left once the tags are taken out
    std::vector<EmsElement> elements;
};

// Reads the tags "[#ANInn]", "[#SNDnn]" and "[#PICwwwwhhhh<data>]". A "[#"
// with no "]" after it is plain text; any other bracketed "[#...]" is dropped
// without an element. Refuses a malformed picture and text above U+00FF.
Result<EmsMessage> ParseEmsText(std::u16string_view tagged);

Result<std::string> BuildEMSPDU(std::string_view number, std::u16string_view tagged);

// The picture tag for bitmap content of the given size, as the composer puts
// it in the text: width and height as four hex digits each.
std::string MakeEmsPictureTag(int width, int height, std::string_view content);

} // namespace velmora
