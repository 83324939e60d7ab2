#pragma once

// A program's or a command's words, read by QCommandLineParser and given back
// in the order they were typed, each with what it was.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace velmora {

// An option by its long name ("--device"), with a value or without.
struct KnownOption {
    std::string name;
    bool takesValue = false;
};

// How one command lays out its words.
struct WordRules {
    // Options may follow positionals; else the first positional ends them
    // and all after it are positional.
    bool optionsAfterPositionals = true;
    // "--" ends the options and is dropped; else it is a word like any other.
    bool doubleDashEndsOptions = true;
    // Each option at most once: a second is a word not understood.
    bool eachOnce = false;
    // "-h" stands for "--help".
    bool shortHelp = false;
};

// One word of the line, or an option with the word that is its value.
struct GivenWord {
    enum Kind {
        Option,       // `option`, with `value` when it takes one
        Positional,   // `word`
        Unknown,      // a word that looks like an option and is none of these
        MissingValue, // `option`, the last word, without its value
    };
    Kind kind;
    std::size_t index; // of the word in the line
    std::string word;  // as typed
    std::string option = "";
    std::string value = "";
};

class CommandLine {
public:
    CommandLine(const std::vector<std::string>& words, const std::vector<KnownOption>& options,
                const WordRules& rules);

    // Every word but a value and a "--" that ends the options, in order.
    const std::vector<GivenWord>& given() const& { return m_given; }
    // Kept from a line about to go: name the line first.
    const std::vector<GivenWord>& given() const&& = delete;
    bool has(const std::string& option) const;
    // The value of the option's last appearance.
    std::optional<std::string> value(const std::string& option) const;
    std::vector<std::string> positional() const;
    const GivenWord* first(GivenWord::Kind kind) const;

private:
    std::vector<GivenWord> m_given;
};

} // namespace velmora
