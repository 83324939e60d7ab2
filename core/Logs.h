#pragma once

#include "Result.h"

#include <ctime>
#include <string>

namespace velmora {

// Appends one entry "dd-mm-yyyy hh:mm:ss AM <entry>\r\n" (12-hour clock, the
// locale's AM/PM designator, bytes unchanged) in one write. Gives the line
// written, else a reason fit for the status bar.
Result<std::string> AppendLogLine(const std::string& path, const std::string& entry);
// The same, stamped with `when` instead of the current time.
Result<std::string> AppendLogLine(const std::string& path, const std::string& entry, std::time_t when);

// "dd-mm-yyyy hh:mm:ss AM" in local time, with the designators and the time
// separator of the user's locale.
std::string FormatLogTimestamp(std::time_t when);
// The same with the designators and the separator given.
std::string FormatLogTimestamp(std::time_t when, const std::string& amText, const std::string& pmText,
                               const std::string& timeSeparator = ":");

// The separator after the hours of a Qt time format ("HH:mm" gives ":",
// "H.mm" gives "."); ":" when the format has none.
std::string TimeSeparatorOf(const std::string& timeFormat);

} // namespace velmora
