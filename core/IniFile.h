#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace velmora {

// A settings file held as its text, so that a save changes only the keys it
// sets: every other section, key, comment, blank line and line ending stays
// byte for byte as it was. Section and key names match without regard to
// ASCII case, the first occurrence wins, values lose surrounding blanks and
// one pair of double quotes, as the usual INI profile readers do.
//
// Nothing is kept per line: each lookup walks the text again. The program
// makes a handful of lookups per file, and a structure per line cost dozens
// of times the file's size in memory.
class IniFile {
public:
    static IniFile Parse(std::string_view text);

    std::optional<std::string> Value(std::string_view section, std::string_view key) const;
    // Every key of the section with its value, in file order (duplicates too).
    std::vector<std::pair<std::string, std::string>> Entries(std::string_view section) const;
    // Rewrites the key's line, or adds it at the end of the section, or adds
    // the section at the end of the file.
    void SetValue(std::string_view section, std::string_view key, std::string_view value);

    const std::string& Text() const { return m_text; }

    // Every line that holds something, in file order, for a reader that
    // checks a whole file rather than looking keys up (the daemon's
    // settings): a section header, a key with the section it stands in
    // ("" before the first header), or a line that is neither. Blank lines
    // and comments are left out.
    struct Item {
        enum Kind { Section, Key, Stray } kind = Stray;
        std::string section; // the section's name, or the one the key stands in
        std::string key, value;
        std::size_t line = 0; // from 1
        // The value as written, trimmed but with its quotes: a command line
        // whose own quoting begins and ends the value ("/opt/my hooks/x" "y")
        // is not one quoted string.
        std::string written;
    };
    std::vector<Item> Items() const;

private:
    enum class Kind { Other, Section, Key };
    // One line of m_text, as a view into it.
    struct Line {
        std::size_t begin = 0, end = 0; // the line without its ending
        std::size_t next = 0;           // where the next line begins
        Kind kind = Kind::Other;
        std::string_view name;    // section or key name, trimmed
        std::string_view value;   // key's value, trimmed and unquoted
        std::string_view written; // key's value, trimmed
    };
    // The line that begins at `pos` (< m_text.size()).
    Line LineAt(std::size_t pos) const;
    // The header line of the first section of that name, if any.
    std::optional<Line> FindSection(std::string_view section) const;

    std::string m_text;
    std::string m_eol = "\n"; // the file's own line ending, for lines added
};

} // namespace velmora
