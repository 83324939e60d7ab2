#pragma once

// How velmora-cli's commands read their words (CommandLine), and the link
// options every phone command shares.

#include "Cli.h"
#include "CommandLine.h"
#include "PhoneCommands.h"

#include <optional>
#include <string>
#include <vector>

namespace velmora::cli {

// The commands that read files and PDUs: options before, between or after
// the rest, "--" ends them, each given once.
inline constexpr WordRules kCommandWords{
    .optionsAfterPositionals = true, .doubleDashEndsOptions = true, .eachOnce = true};
// The phone commands: options until the first other word (that word on is
// the command's), "--" a word like any other, an option given again counts
// again.
inline constexpr WordRules kPhoneWords{.optionsAfterPositionals = false, .doubleDashEndsOptions = false};

// The command's own usage is asked for by its first word.
inline bool IsHelp(const std::vector<std::string>& words) {
    return !words.empty() && (words[0] == "--help" || words[0] == "-h");
}

std::optional<int> Number(const std::string& text);

// --device, --port, --baud, --fast and --pin, then `own`.
std::vector<KnownOption> PhoneOptions(std::vector<KnownOption> own = {});
// The commands that send or read messages add it to their own.
inline const KnownOption kStore{"--store", true};

// Reads `given` into `target` when it is one of PhoneOptions' link options
// or --store; false when it is none of them. A value refused or missing is
// set in `failure`, worded for `command`.
bool TakeLinkOption(const GivenWord& given, PhoneTarget& target, const std::string& command,
                    std::optional<Failure>& failure);

} // namespace velmora::cli
