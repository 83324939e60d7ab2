#pragma once

#include "SimulatedPhone.h"

#include <string>
#include <vector>

namespace velmora::phonesim {

struct Arguments {
    PhoneOptions phone;
    std::string link; // --link: a symbolic link to the device
    // --replug-link: where the device plugged back in (SIGUSR2) is linked;
    // "" links it at `link`.
    std::string replugLink;
    bool verbose = false;
    bool help = false;
    bool version = false;
};

// Reads the command line (without the program name), including the phone
// book and operator files it names. Returns "" or what is wrong.
std::string ParseArguments(const std::vector<std::string>& words, Arguments& args);

const char* HelpText();

} // namespace velmora::phonesim
