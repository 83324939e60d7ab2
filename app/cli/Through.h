#pragma once

// velmora-cli through a running Velmora program (velmorad, or the window)
// that holds the modems: the commands that would open the port, and those
// that read the store, ask it over D-Bus instead, so a script never sees
// "busy" because another Velmora program holds the port. Each prints what
// it prints when it works alone, and one line on stderr that says it went
// through the running program.

#include "BusClient.h"
#include "Cli.h"
#include "PhoneCommands.h"

#include <memory>
#include <optional>
#include <string>

namespace velmora::cli {

// The running program to go through: null with --direct, or when none
// holds org.velmora.Velmora1, or when the command names a store other than
// the one it keeps (--store), or when it refuses this user (said on stderr:
// the command then works alone, as without it).
std::unique_ptr<api::BusClient> RunningProgram(bool direct, const std::optional<std::string>& store, Io io);

// A running program a phone command goes through, and the modem of it the
// command named with --device: the work goes to that modem, not to the
// first free one.
struct Running {
    std::unique_ptr<api::BusClient> client;
    QString modem; // "": none named; the program takes the first free (or up) one
    explicit operator bool() const { return client != nullptr; }
    api::BusClient* operator->() const { return client.get(); }
    api::BusClient& operator*() const { return *client; }
};
// The same for a phone command: also null when --device PATH names a
// device none of the program's modems is on (that phone is the command's).
Running RunningProgram(const PhoneTarget& target, Io io);
// A command that sends through `running` works on the program's own store,
// where this user may read it (`write`: change it), unless --store names
// one; a program whose store it may not use is let go (`running` null).
// One that stays is said on stderr and listened to.
void FollowRunning(Running& running, PhoneTarget& target, bool write, Io io);
// --direct in a command's help.
std::string DirectOptionUsage();
// How history, modems and queue find a running program's store, for their help.
std::string RunningStoreUsage();
// The one line on stderr.
void SayThrough(const api::BusClient& client, Io io);
// A call that failed: its words on stderr after `what` ("nothing sent: %1"),
// and the exit status: 1 for a refusal, 3 when the program could not be asked.
int ReportBusFailure(const api::BusFailure& failure, const std::string& what, Io io);

// "send KIND NUMBER ...": queued in the running program, then each part's
// outcome as its modem hands it to the network, as a send of its own
// prints it; with --report the delivery reports after. A call that got no
// answer is asked once more with the same idempotency key; still none, and
// the message may be queued there: said so, kExitUncertain, never sent again.
int SendThrough(const Running& running, const PduJob& job, const ReportOptions& report, Io io);
// "send --queue KIND NUMBER ...": queued there; prints its number.
int QueueThrough(const Running& running, const PduJob& job, const ManyOptions& many, Io io);

// What the store-reading commands read: the running program's store, when
// this user may read it and no --store names another.
std::optional<std::string> StoreOfRunning(const std::optional<std::string>& given, bool direct, Io io);

} // namespace velmora::cli
