// velmora-cli: the encoders and the phone link for scripts and inspection.

#include "Cli.h"
#include "PhoneCommands.h"

#include <cstring>
#include <iostream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using velmora::cli::Io;

struct Command {
    const char* name;
    const char* summary;
    int (*run)(std::vector<std::string>, Io);
};

const Command kCommands[] = {
    {"pdu", "print the PDU text of a message", velmora::cli::RunPdu},
    {"content", "print the content a file loads into a tab", velmora::cli::RunContent},
    {"preview", "draw the screen preview of a picture file", velmora::cli::RunPreview},
    {"send", "send a message through the phone", velmora::cli::RunSend},
    {"identify", "print what the phone says about itself", velmora::cli::RunIdentify},
    {"phonebook", "read the SIM's phone book", velmora::cli::RunPhonebook},
};

void PrintUsage(std::ostream& os) {
    os << "usage: velmora-cli COMMAND [ARGS...]\n"
          "       velmora-cli COMMAND --help\n"
          "       velmora-cli --help | --version\n\ncommands:\n";
    for (const auto& c : kCommands)
        os << "  " << c.name << std::string(12 - std::strlen(c.name), ' ') << c.summary << '\n';
}

} // namespace

int main(int argc, char** argv) {
    Io io{std::cout, std::cerr, ::isatty(STDOUT_FILENO) == 1, ::isatty(STDERR_FILENO) == 1};
    std::vector<std::string> words(argv + 1, argv + argc);
    if (words.empty()) {
        PrintUsage(std::cerr);
        return velmora::cli::kExitUsage;
    }
    if (words[0] == "--help" || words[0] == "-h") {
        PrintUsage(std::cout);
        return velmora::cli::kExitOk;
    }
    if (words[0] == "--version") {
        std::cout << "velmora-cli " VELMORA_VERSION "\n";
        return velmora::cli::kExitOk;
    }
    for (const auto& c : kCommands)
        if (words[0] == c.name)
            return c.run({words.begin() + 1, words.end()}, io);
    std::cerr << "velmora-cli: unknown command \"" << words[0] << "\"\n";
    PrintUsage(std::cerr);
    return velmora::cli::kExitUsage;
}
