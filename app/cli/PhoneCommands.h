#pragma once

#include "Cli.h"
#include "ComDevices.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace velmora::cli {

// Where and how fast to reach the phone, from the command line over the
// settings file: --device PATH (the port's device for this run),
// --device COMn=PATH (repeatable), --port N, --baud RATE, --fast, --pin PIN;
// and --store PATH for the commands that send or read messages.
struct PhoneTarget {
    DeviceOptions devices;
    std::optional<int> port;
    std::optional<int> baud;
    bool fast = false;                // else the settings file's dialogue
    std::optional<std::string> pin;   // --pin: the SIM's PIN, when it asks
    std::optional<std::string> store; // --store: the message store to record in
};

int RunSend(std::vector<std::string> words, Io io);
int RunIdentify(std::vector<std::string> words, Io io);
int RunPhonebook(std::vector<std::string> words, Io io);
// The messages on the phone (InboxCommand.cpp).
int RunInbox(std::vector<std::string> words, Io io);
// Which serial device the phone is on (PortsCommand.cpp).
int RunPorts(std::vector<std::string> words, Io io);

} // namespace velmora::cli
