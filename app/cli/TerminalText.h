#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace velmora::cli {

// The phone's bytes as they may reach a terminal: every control character
// (C0, DEL, and the C1 range whether raw or UTF-8 encoded) and every byte
// that is not part of well-formed UTF-8 becomes \xNN with two upper-case hex
// digits, and a backslash becomes \\, so the escaping reads back without
// doubt. A name holding an escape sequence thus cannot drive the terminal;
// printable ASCII and other UTF-8 pass unchanged.
std::string EscapeForTerminal(std::string_view bytes);

// `bytes` escaped for a terminal, or unchanged for a file or a pipe.
inline std::string ForOutput(std::string_view bytes, bool terminal) {
    return terminal ? EscapeForTerminal(bytes) : std::string(bytes);
}

// Asks on the controlling terminal with echo off (a PIN) and gives the line
// typed; nothing when there is no terminal or the user typed nothing.
std::optional<std::string> ReadSecretFromTerminal(const std::string& prompt);

} // namespace velmora::cli
