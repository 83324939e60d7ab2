// velmora-cli: the encoders and the phone link for scripts and inspection.

#include "Cli.h"
#include "Clock.h"
#include "Interrupts.h"
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
    bool phone; // talks to the phone: an interrupt ends the dialogue cleanly
};

const Command kCommands[] = {
    {"pdu", "print the PDU text of a message", velmora::cli::RunPdu, false},
    {"content", "print the content a file loads into a tab", velmora::cli::RunContent, false},
    {"preview", "draw the screen preview of a picture file", velmora::cli::RunPreview, false},
    {"decode", "read PDUs back into the messages they carry", velmora::cli::RunDecode, false},
    {"tone", "play a ringtone, or write it as a WAV file", velmora::cli::RunTone, false},
    {"send", "send a message through the phone", velmora::cli::RunSend, true},
    {"identify", "print what the phone says about itself", velmora::cli::RunIdentify, true},
    {"phonebook", "read the SIM's phone book", velmora::cli::RunPhonebook, true},
    {"inbox", "read the messages kept on the phone and the SIM", velmora::cli::RunInbox, true},
    {"ports", "ask each serial device whether the phone is there", velmora::cli::RunPorts, true},
};

// A phone command with Ctrl-C, SIGTERM and SIGHUP turned into a cancelled
// clock, before any thread starts.
int RunPhoneCommand(const Command& c, std::vector<std::string> words, Io io) {
    velmora::RealClock clock;
    velmora::cli::InterruptCanceller interrupts(clock);
    io.clock = &clock;
    int code = velmora::cli::kExitOk;
    try {
        code = c.run(std::move(words), io);
    } catch (const velmora::SessionCancelled&) {
        // Only the canceller cancels the clock; its signal decides the code.
    }
    if (const int signal = interrupts.Caught()) {
        std::cout.flush();
        std::cerr << "velmora-cli: interrupted\n";
        return 128 + signal;
    }
    return code;
}

void PrintUsage(std::ostream& os) {
    os << "usage: velmora-cli COMMAND [ARGS...]\n"
          "       velmora-cli COMMAND --help\n"
          "       velmora-cli --help | --version\n"
          "\n"
          "Builds the PDUs of short messages and sends them through a GSM phone or USB modem.\n"
          "\n"
          "commands:\n";
    for (const auto& c : kCommands)
        os << "  " << c.name << std::string(12 - std::strlen(c.name), ' ') << c.summary << '\n';
    os << "\n"
          "  --help      show this help and exit\n"
          "  --version   show the version and exit\n";
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
    for (const auto& c : kCommands) {
        if (words[0] != c.name)
            continue;
        std::vector<std::string> rest(words.begin() + 1, words.end());
        return c.phone ? RunPhoneCommand(c, std::move(rest), io) : c.run(std::move(rest), io);
    }
    std::cerr << "velmora-cli: unknown command \"" << words[0] << "\"\n";
    PrintUsage(std::cerr);
    return velmora::cli::kExitUsage;
}
