#pragma once

#include "BatchBuilder.h"
#include "Cli.h"
#include "ComDevices.h"
#include "CommandLine.h"
#include "MessageTypes.h"

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace velmora::cli {

class CliPhone;

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
    bool direct = false;              // --direct: the port itself, even when a running program holds it
};

int RunSend(std::vector<std::string> words, Io io);

// "send --to/--to-file ...": one message to many, queued as a batch
// (BatchCommand.cpp).
struct ManyOptions {
    std::optional<std::string> to, toFile, numberColumn;
    BatchPacing pacing;
    bool again = false;
    bool dryRun = false; // --dry-run: show each recipient's message, queue and send nothing
    // --queue: record it for "queue run" (or velmorad), send nothing now;
    // --modem NAME: the modem it is to go through.
    bool queue = false;
    std::optional<std::string> modem;
    // --unicode (Auto unless given) and --allow-empty.
    BatchOptions batch{BatchOptions::Unicode::Auto, false};
    bool unicodeGiven = false, allowEmptyGiven = false;
    bool any() const { return to || toFile; }
    // Given without --to or --to-file, these are a mistake.
    bool anyBatchOption() const {
        return numberColumn || again || dryRun || unicodeGiven || allowEmptyGiven || pacing.intervalMs ||
               pacing.perHour || pacing.startAt.isValid() || pacing.expireAt.isValid();
    }
};
// --report and --report-wait, for one recipient and for many.
struct ReportOptions {
    bool wanted = false;
    int waitSeconds = 60;
};
// Reads `given` into `many` when it is one of the batch options; false when
// it is none of them.
bool TakeManyOption(const GivenWord& given, ManyOptions& many, std::optional<Failure>& failure);
std::string ManyUsage();
// `kindWords`: the kind and its arguments, without a number.
int RunSendToMany(const PhoneTarget& target, const ManyOptions& many, const ReportOptions& report,
                  std::vector<std::string> kindWords, Io io);
// "queue list|pause|resume|cancel|run".
int RunQueue(std::vector<std::string> words, Io io);
int RunIdentify(std::vector<std::string> words, Io io);
int RunPhonebook(std::vector<std::string> words, Io io);
std::string PhonebookUsage();
// "phonebook --add/--set/--delete/--import" (PhonebookWriteCommand.cpp).
bool IsPhonebookWrite(const std::vector<std::string>& words);
int RunPhonebookWrite(std::vector<std::string> words, Io io);
std::string PhonebookWriteUsage();
// The messages on the phone (InboxCommand.cpp).
int RunInbox(std::vector<std::string> words, Io io);
// Which serial device the phone is on (PortsCommand.cpp).
int RunPorts(std::vector<std::string> words, Io io);
// A USSD code and the replies the network asks for (UssdCommand.cpp).
int RunUssd(std::vector<std::string> words, Io io);
// The store the settings (or --store) name, for the commands that need no
// phone. Null when there is none yet and `create` is false (looking makes
// none). A command that only reads opens it for reading, so a store this
// user may not write is still read.
Result<std::unique_ptr<MessageStore>>
OpenMessageStore(const std::optional<std::string>& given, bool create, Io io,
                 MessageStore::Access access = MessageStore::Access::Write);
// Reads what the phone sends by itself until every report asked for came,
// the link is lost or `waitSeconds` passed; names the reports the phone kept
// but would not give (SendCommand.cpp).
void WaitForReports(CliPhone& phone, int waitSeconds, Io io);
// "resend ID": a failed or uncertain message sent again as a new one.
int RunResend(std::vector<std::string> words, Io io);
// "group list|show|add|remove|import|delete": the groups "send --to" sends to.
int RunGroup(std::vector<std::string> words, Io io);
// "modems": the modems the store knows, how each is and what waits for it
// (ModemsCommand.cpp).
int RunModems(std::vector<std::string> words, Io io);
// --queue and --modem, for one recipient and for many.
std::string QueueOptionsUsage();

} // namespace velmora::cli
