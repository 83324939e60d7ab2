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
// the one it keeps (--store).
std::unique_ptr<api::BusClient> RunningProgram(bool direct, const std::optional<std::string>& store);
// The same for a phone command: also null when --device PATH names a
// device none of the program's modems is on (that phone is the command's).
std::unique_ptr<api::BusClient> RunningProgram(const PhoneTarget& target);
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
// prints it; with --report the delivery reports after.
int SendThrough(api::BusClient& client, const PduJob& job, const ReportOptions& report, Io io);
// "send --queue KIND NUMBER ...": queued there; prints its number.
int QueueThrough(api::BusClient& client, const PduJob& job, const ManyOptions& many, Io io);

// What the store-reading commands read: the running program's store, when
// this user may read it and no --store names another.
std::optional<std::string> StoreOfRunning(const std::optional<std::string>& given, bool direct, Io io);

} // namespace velmora::cli
