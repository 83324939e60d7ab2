#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace velmora {

// A settings file held as its lines, so that a save changes only the keys it
// sets: every other section, key, comment, blank line and line ending stays
// byte for byte as it was. Section and key names match without regard to
// ASCII case, the first occurrence wins, values lose surrounding blanks and
// one pair of double quotes, as the usual INI profile readers do.
class IniFile {
public:
    static IniFile Parse(std::string_view text);

    std::optional<std::string> Value(std::string_view section, std::string_view key) const;
    // Every key of the section with its value, in file order (duplicates too).
    std::vector<std::pair<std::string, std::string>> Entries(std::string_view section) const;
    // Rewrites the key's line, or adds it at the end of the section, or adds
    // the section at the end of the file.
    void SetValue(std::string_view section, std::string_view key, std::string_view value);

    std::string Text() const;

private:
    enum class Kind { Other, Section, Key };
    struct Line {
        std::string raw; // without its line ending
        std::string eol; // "\n", "\r\n" or "" for a last line without one
        Kind kind = Kind::Other;
        std::string name;  // section or key name, trimmed
        std::string value; // key's value, trimmed and unquoted
    };

    // Index of the section's header line, or npos.
    std::size_t FindSection(std::string_view section) const;

    std::vector<Line> m_lines;
    std::string m_eol = "\n";
};

} // namespace velmora
