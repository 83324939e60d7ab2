#pragma once

// What the settings file keeps for USSD: how each modem takes requests (text
// or packed septets), as found out and remembered, or as the user set it for
// every modem ("[Communication Port] UssdEncoding=text|packed"), and the
// codes last used. Read and written through IniFile, so every other line of
// the file stays as it was.

#include "Result.h"
#include "Ussd.h"

#include <string>
#include <vector>

namespace velmora {

// The codes the window offers, newest first, at most this many.
inline constexpr std::size_t kRecentUssdCodes = 10;

struct UssdSettings {
    UssdWire forced = UssdWire::Unknown; // UssdEncoding=, for every modem
    UssdWire learnt = UssdWire::Unknown; // remembered for the modem asked about
    std::vector<std::string> recent;     // newest first
    // What a dialogue starts from: the user's setting over what was learnt.
    UssdWire Wire() const { return forced != UssdWire::Unknown ? forced : learnt; }
};

// The key a modem is remembered by: its manufacturer and model as it gave
// them, blanks at the ends gone, characters a settings key cannot hold
// ("=", "[", "]", ";", control characters) as "_", at most 80 bytes. "" when
// the modem named neither.
std::string UssdModemKey(const std::string& manufacturer, const std::string& model);

// Reads what the file keeps for `modemKey` ("" for none). A file that cannot
// be used gives the defaults, as LoadSettings does, with its message in
// `problems`.
UssdSettings LoadUssdSettings(const std::string& file, const std::string& modemKey,
                              std::vector<std::string>* problems = nullptr);
// Remembers how `modemKey` takes requests ("[USSD Encodings]"). Returns the
// file on success, else "Unable to write to FILE"; a file that cannot be
// read is never written over.
Result<std::string> SaveUssdWire(const std::string& file, const std::string& modemKey, UssdWire wire);
// Puts `code` first among the recent codes ("[USSD] Recent=", "|" between
// them), once, keeping kRecentUssdCodes.
Result<std::string> SaveUssdRecent(const std::string& file, const std::string& code);

} // namespace velmora
