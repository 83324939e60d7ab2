#pragma once

#include "MessageRequest.h"
#include "Result.h"

#include <iosfwd>
#include <string>
#include <variant>
#include <vector>

namespace velmora {
class Clock;
struct ReadMessage;
} // namespace velmora

namespace velmora::cli {

enum ExitCode {
    kExitOk = 0,
    kExitRefused = 1,
    kExitUsage = 2,
    kExitUnreachable = 3,
    kExitDuplicate = 4,
    // a send the running program never answered: it may have queued it
    kExitUncertain = 5
};

struct Io {
    std::ostream& out;
    std::ostream& err;
    // Whether each stream is a terminal: the phone's bytes are then shown
    // escaped (EscapeForTerminal), while files and pipes get them unchanged.
    bool outIsTerminal = false;
    bool errIsTerminal = false;
    // Paces the phone dialogue; the program cancels it on Ctrl-C. Without
    // one, a phone command uses a real clock of its own.
    Clock* clock = nullptr;
};

// A failure to report: one line on stderr and the exit code that goes with it.
struct Failure {
    ExitCode code;
    std::string message;
    // The words after a message kind were too many or too few, which a
    // caller that supplies some of them can explain.
    bool countOff = false;
};

// What a message kind and its arguments turn into.
struct PduJob {
    std::string kind;
    std::string number;
    std::vector<std::string> pdus;
    MessageRequest request; // what they were built from, to be sent and kept
};

// `words` starts with the kind: text, logo, group, picture, ringtone, ems,
// void or indicator. Shared by "pdu", which prints the PDUs, and by commands
// that submit them.
std::variant<PduJob, Failure> BuildPduJob(std::vector<std::string> words);
std::string PduUsage();

int RunPdu(std::vector<std::string> words, Io io);

// Content loaded from a file as the tab of `kind` (logo, group, picture,
// ringtone) loads it: the hex content, refused when the file yields none.
std::variant<std::string, Failure> ContentFromFile(const std::string& kind, const std::string& path);
// The EMS picture tag of a BMP file.
std::variant<std::string, Failure> EmsPictureFromFile(const std::string& path);

// "content FILE --as KIND" and "preview FILE --as KIND".
int RunContent(std::vector<std::string> words, Io io);
int RunPreview(std::vector<std::string> words, Io io);

// "decode [--json] [--no-smsc] [PDU...]".
int RunDecode(std::vector<std::string> words, Io io);
// One message as decode and inbox print it, headed by `indexes` (where the
// phone keeps its parts) or else "message ORDINAL". False when the message
// was refused: its reason is printed instead, with its PDUs.
bool PrintReadMessage(const Result<ReadMessage>& message, const std::string& pdus,
                      const std::vector<std::string>& indexes, int ordinal, bool json, Io io);

// "tone FILE|RTTTL [--wav OUT.wav]": plays the tune, or writes it as a WAV file.
int RunTone(std::vector<std::string> words, Io io);

// "history [--json] [--number N] [--search TEXT] [--state STATE]
// [--direction in|out] [--limit N] [--store PATH]": the message store's
// messages, newest first.
int RunHistory(std::vector<std::string> words, Io io);

// "store check" and "store backup FILE [--force]", each with [--store PATH].
int RunStore(std::vector<std::string> words, Io io);

// Prints a failure as the command line reports it, with `usage` after a
// usage error, and gives its exit code.
int Report(const Failure& f, Io io, const std::string& usage = {});

// Asks `question` (shown as given) on the terminal; without one only `yes`
// (--yes) agrees, and `notDone` says what was left undone and why. Nothing
// typed, or anything but yes, is a no.
bool AgreedOnTerminal(bool yes, const std::string& question, const std::string& notDone, Io io);

} // namespace velmora::cli
