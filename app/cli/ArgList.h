#pragma once

#include <optional>
#include <string>
#include <vector>

namespace velmora::cli {

// Command-line words of one command: options may stand anywhere, "--" ends
// them. Takes options out as they are asked for; what remains is positional.
class ArgList {
public:
    explicit ArgList(std::vector<std::string> words);

    bool takeFlag(const std::string& name);
    // The value after `name` (or in "name=value"); sets `missing` when the
    // option stands last without its value.
    std::optional<std::string> takeOption(const std::string& name);
    std::vector<std::string> takeAll(const std::string& name);

    // Positional words; an unknown word that looks like an option is an error.
    std::vector<std::string> positional() const;
    std::optional<std::string> unknownOption() const;
    bool missingValue() const { return !m_missing.empty(); }
    const std::string& missingValueOf() const { return m_missing; }

private:
    std::vector<std::string> m_words;
    std::vector<std::string> m_afterDashes;
    std::string m_missing;
};

} // namespace velmora::cli
