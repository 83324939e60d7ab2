#pragma once

// Who a modem is, apart from the name the system gave its device this time:
// its IMEI, and the /dev/serial/by-id link udev makes from its USB serial
// number and interface. Either one finds the modem again when it comes back
// under another ttyUSB or ttyACM name.

#include <string>
#include <vector>

namespace velmora {

// The IMEI in the information lines of the answer to AT+CGSN: the first
// line that holds one, bare ("354812345678901"), after "+CGSN: " or in
// quotes, as modems write it. 14 to 17 digits (an IMEI with or without its
// check digit, or an IMEISV); "" when no line holds one.
std::string ImeiFromLines(const std::vector<std::string>& lines);

// The network's name in the answer to AT+COPS?: "+COPS: 0,0,\"TELKOMSEL\",2"
// gives TELKOMSEL (a numeric format gives "51010"); "" when the modem is
// registered nowhere or the answer holds no name. At most 64 characters, and
// only printable ones: it is shown and stored.
std::string OperatorFromLines(const std::vector<std::string>& lines);

// The link in `byIdDir` that leads to `device` (the same device, however
// either path is written); "" when none does.
std::string ByIdLinkFor(const std::string& device, const std::string& byIdDir = "/dev/serial/by-id");

// Where a lost modem may have come back: each ttyUSB* and ttyACM* in
// `devDir`, in natural order (ttyUSB2 before ttyUSB10), then each entry of
// the `extraDirs` (a test's folder of links to pseudo-terminals). Each path
// once.
std::vector<std::string> ModemCandidates(const std::string& devDir,
                                         const std::vector<std::string>& extraDirs);

} // namespace velmora
