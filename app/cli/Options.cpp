#include "Options.h"

#include "Said.h"

#include <charconv>

namespace velmora::cli {

std::optional<int> Number(const std::string& text) {
    int n = 0;
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (ec != std::errc() || ptr != text.data() + text.size())
        return std::nullopt;
    return n;
}

std::vector<KnownOption> PhoneOptions(std::vector<KnownOption> own) {
    std::vector<KnownOption> options{{"--device", true}, {"--port", true}, {"--baud", true},
                                     {"--fast"},         {"--pin", true},  {"--direct"}};
    options.insert(options.end(), own.begin(), own.end());
    return options;
}

bool TakeLinkOption(const GivenWord& given, PhoneTarget& target, const std::string& command,
                    std::optional<Failure>& failure) {
    const std::string& option = given.option;
    if (option != "--device" && option != "--port" && option != "--baud" && option != "--fast" &&
        option != "--pin" && option != "--store" && option != "--direct")
        return false;
    const auto refuse = [&](const std::string& why) { failure = Failure{kExitUsage, command + ": " + why}; };
    if (given.kind == GivenWord::MissingValue || (option == "--store" && given.value.empty())) {
        refuse(Fill(translate("cli", "%1 needs a value"), {option}));
    } else if (option == "--device") {
        if (const auto why = ParseDeviceOption(given.value, target.devices); !why.empty())
            refuse("--device " + why);
    } else if (option == "--port") {
        if (const auto n = Number(given.value); n && *n >= 1 && *n <= 96)
            target.port = *n;
        else
            refuse(translate("cli", "--port must be a number from 1 to 96"));
    } else if (option == "--baud") {
        if (const auto n = Number(given.value); n && *n > 0)
            target.baud = *n;
        else
            refuse(translate("cli", "--baud must be a line speed in bit/s"));
    } else if (option == "--fast") {
        target.fast = true;
    } else if (option == "--direct") {
        target.direct = true;
    } else if (option == "--pin") {
        target.pin = given.value;
    } else {
        target.store = given.value;
    }
    return true;
}

} // namespace velmora::cli
