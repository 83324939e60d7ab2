#pragma once

#include "ContactExport.h"

#include <ctime>
#include <string>
#include <vector>

namespace velmora {

// "dd mmmm yyyy, hh:mm" in local time, month names of the user's locale.
std::string FormatExportStamp(std::time_t when);

// The phone book's text export (ContactExport.h) stamped with `when` and
// written to `path`.
ExportResult SaveContactExport(const std::string& path, const std::vector<PhonebookEntry>& entries,
                               std::time_t when);

} // namespace velmora
