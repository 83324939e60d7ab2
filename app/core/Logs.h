#pragma once

#include <ctime>
#include <string>

namespace velmora {

// Appends one entry "dd-mm-yyyy hh:mm:ss AM <entry>\r\n" (12-hour clock, the
// locale's AM/PM designator, bytes unchanged) in one write. Returns "" on
// success, else a reason fit for the status bar.
std::string AppendLogLine(const std::string& path, const std::string& entry);
// The same, stamped with `when` instead of the current time.
std::string AppendLogLine(const std::string& path, const std::string& entry, std::time_t when);

// "dd-mm-yyyy hh:mm:ss AM" in local time, with the user's locale's designators.
std::string FormatLogTimestamp(std::time_t when);
// The same with the designators given, for a locale that has none of its own.
std::string FormatLogTimestamp(std::time_t when, const std::string& amText, const std::string& pmText);

} // namespace velmora
