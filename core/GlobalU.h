#pragma once

// The settings every program shares. How this layer fails, as smslib below
// it: a Result<T>, or for loading the settings the list of messages to show.
// A file that cannot be used leaves the defaults in place and is never
// overwritten. Nothing here throws or shows a dialog.

#include "Result.h"
#include "Strings.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace velmora {

// What survives between runs. Defaults are those of a first run.
struct Settings {
    std::uint8_t PortNumber = 1; // n of COMn; the file's number keeps only its low 8 bits
    int BaudRate = 19200;        // 2400, 4800, 9600 or 19200
    // "Dialogue=fast": each command ends at the phone's answer. Anything else
    // (or nothing) is the classic dialogue of fixed pauses.
    bool FastDialogue = false;
    // "DeliveryReport=1": ask the network for a report of each message
    // (fast dialogue only).
    bool DeliveryReport = false;
    int WindowTop = 0, WindowLeft = 0;
    int WindowHeight = 0, WindowWidth = 0; // 0 or less: the window's design size
    // "[Serial Devices]" COMn=path, n in 1..96; read only, the user keeps it.
    std::map<int, std::string> SerialDevices;
    // "[Messages]" Store=path: the message store, when not beside the logs.
    // Read only, the user keeps it.
    std::string MessageStore;
    // "[Store] Url=postgresql://...", PasswordFile=, SslMode=: a PostgreSQL
    // server instead of the file (StoreLocation.h). A Url= or SslMode= that
    // cannot be taken is named and the file used. PasswordFile= is made
    // absolute from the settings file's folder. Read only, the user keeps it.
    std::string StoreUrl, StorePasswordFile, StoreSslMode;
    // "[Messages] KeepDays=n": messages older than n days are deleted when
    // a program opens the store to write it (never one still to be sent);
    // 0 keeps every one. Read only, the user keeps it.
    int KeepDays = 0;
    // "[Outbox] Retries=n", 0..10: how often a message of a batch the phone
    // refused is tried again. Read only, the user keeps it.
    int Retries = 2;
    // "[Messages] CountryCode=", 1 to 3 digits: what a national number
    // ("0812...") is dialled with, sent to and looked up by. Read only, the
    // user keeps it.
    std::string CountryCode{kDefaultCountryCode};
};

// The store the settings name, as ChooseMessageStore takes it: the server of
// [Store] Url= with its password file and sslmode, else [Messages] Store=.
std::string SettingsStore(const Settings& settings);

// [Messages] KeepDays at most: a hundred years.
constexpr int kMaxKeepDays = 36500;

// The tries again a batch may be given after a refusal, at most.
constexpr int kMaxRetries = 10;

enum class SettingsSection {
    Communication, // "[Communication Port]" Port, Baudrate, Dialogue, DeliveryReport
                   // (and "[Serial Devices]", "[Messages]" Store, KeepDays, CountryCode,
                   // "[Outbox]" Retries, "[Store]" Url, PasswordFile, SslMode)
    Window,        // "[Form]" ZTop, ZLeft, ZHeight, ZWidth
};

// Reads one section's keys from `file` into `settings`. A missing file or key
// leaves the default. A value that is not a whole number gives the message
// "'%s' is not a valid integer value" and that one key's default; reading
// goes on. Only a regular file of at most 1 MiB is read: anything else (a
// FIFO, a device, a directory, a larger file) gives one message and the
// defaults. Returns the messages for the user, in order; empty when all went
// well.
std::vector<std::string> LoadSettings(SettingsSection section, const std::string& file, Settings& settings);
// Both sections from one reading of the file, so a file that cannot be used
// is reported once.
std::vector<std::string> LoadSettings(const std::string& file, Settings& settings);

// Writes one section's keys into `file`, keeping everything else the file
// holds, and replaces it atomically. Returns "" on success, else
// "Unable to write to %s" with the file's path; so it does for a file that
// LoadSettings would not read, which is never overwritten.
Result<std::string> SaveSettings(SettingsSection section, const std::string& file, const Settings& settings);

// The line speeds the Communication menu offers, slowest first.
constexpr int kOfferedBaudRates[] = {2400, 4800, 9600, 19200};
bool IsOfferedBaudRate(int baud);

} // namespace velmora
