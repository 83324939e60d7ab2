#pragma once

#include "Replies.h"

#include <ctime>
#include <string>
#include <vector>

namespace velmora {

// The text export of the phone book: a dated header line, a rule of 50 "-",
// one line per entry (name padded to 25, number to 15, index right-aligned
// in 5), the rule again; each line ends in "\r\n". Texts go out byte for
// byte as the phone sent them. `stamp` is the "dd mmmm yyyy, hh:mm" time.
std::string FormatContactExport(const std::vector<PhonebookEntry>& entries, const std::string& stamp);

// "dd mmmm yyyy, hh:mm" in local time, month names of the user's locale.
std::string FormatExportStamp(std::time_t when);

// Writes the export to `path` atomically, so a failure leaves the old file.
// Gives the status text: "Save to file <path> !" or why it failed.
struct ExportResult {
    bool ok;
    std::string status;
};
ExportResult WriteContactExport(const std::string& path, const std::vector<PhonebookEntry>& entries,
                                std::time_t when);

} // namespace velmora
