#include "CliPhone.h"
#include "Inbox.h"
#include "Said.h"
#include "Through.h"

#include <ostream>
#include <set>

namespace velmora::cli {

namespace {

// Each message the phone keeps (its long ones joined) as decode prints
// them; whether every one could be read.
bool PrintInbox(const std::vector<InboxEntry>& entries, bool json, Io io) {
    bool allRead = true;
    int ordinal = 0;
    for (const auto& e : entries) {
        if (!json && ordinal > 0)
            io.out << '\n';
        std::string pdus;
        for (const auto& p : e.parts)
            pdus += (pdus.empty() ? "" : " ") + p.pdu;
        allRead = PrintReadMessage(e.message, pdus, e.Indexes(), ++ordinal, json, io) && allRead;
    }
    return allRead;
}

std::string InboxUsage() {
    return translate("inbox",
                     "usage: velmora-cli inbox [LINK OPTIONS] [--json] [--delete INDEX...]\n"
                     "Reads every message kept on the phone and on the SIM, joins the parts of long\n"
                     "messages and prints them as decode does, oldest first, each headed by where the\n"
                     "phone keeps it (\"SM:3\" is index 3 on the SIM, \"ME:3\" in the phone).\n"
                     "\n"
                     "  --json            one JSON object per message, its places in \"index\"\n"
                     "  --delete INDEX... after the read, deletes each message named (\"SM:3\", or \"3\"\n"
                     "                    when only one store has that index), once the phone shows\n"
                     "                    it still holds the message read; a long message is named by\n"
                     "                    any of its parts and deleted whole. Reading never deletes.\n"
                     "\n"
                     "A store or a message the phone would not give is named on stderr.\n"
                     "\n"
                     "Exit status: 0 when every message was read (and deleted), 1 when a store or a\n"
                     "message could not be read or one was not deleted, 2 for wrong usage, 3 when\n"
                     "the phone was not reached.\n") +
           LinkOptionsUsage() + StoreOptionUsage() + DirectOptionUsage();
}

// "SM:3", or "3" for the one store that has index 3.
const InboxEntry* Named(const std::vector<InboxEntry>& entries, const std::string& name, std::string& why) {
    const auto colon = name.find(':');
    const std::string storage = colon == std::string::npos ? "" : name.substr(0, colon);
    const auto index = Number(colon == std::string::npos ? name : name.substr(colon + 1));
    if (!index) {
        why = translate("inbox", "not a message index");
        return nullptr;
    }
    const InboxEntry* found = nullptr;
    for (const auto& e : entries)
        for (const auto& p : e.parts)
            if (p.index == *index && (storage.empty() || p.storage == storage)) {
                if (found && found != &e) {
                    why = Fill(
                        translate("inbox", "index %1 is in more than one store; name it as SM:%1 or ME:%1"),
                        {std::to_string(*index)});
                    return nullptr;
                }
                found = &e;
            }
    if (!found)
        why = translate("inbox", "the phone keeps no message there");
    return found;
}

// Why the service would not let a message go from the phone.
std::string NotDeletable(const DeleteRefusal& refused) {
    switch (refused.kind) {
    case DeleteRefusal::NoStore:
    case DeleteRefusal::Damaged: // said on opening it
        return translate("inbox", "the message store could not keep it first");
    case DeleteRefusal::NotRecorded:
        break;
    }
    return translate("inbox", "the message store has no record of it yet");
}

// The messages the phone keeps, read by the running program that holds it
// and printed as a read of its own prints them. Deleting stays with
// --direct: the program deletes what its settings say.
int InboxThrough(const Running& running, bool json, Io io) {
    SayThrough(*running, io);
    const auto read = running->readPhone(running.modem);
    if (!read)
        return ReportBusFailure(read.error(), "%1", io);
    std::vector<StoredMessage> stored;
    for (const QJsonValue& v : read.value().value("messages").toArray()) {
        const QJsonObject m = v.toObject();
        stored.push_back({S(m.value("storage").toString()), m.value("index").toInt(),
                          m.value("status").toInt(), S(m.value("pdu").toString())});
    }
    std::vector<std::string> problems;
    for (const QJsonValue& p : read.value().value("problems").toArray())
        problems.push_back(S(p.toString()));
    const auto entries = JoinInbox(stored);
    bool allRead = PrintInbox(entries, json, io);
    for (const std::string& problem : problems)
        io.err << "velmora-cli: " << ForOutput(problem, io.errIsTerminal) << '\n';
    allRead = allRead && problems.empty();
    if (entries.empty() && !json)
        io.out << (problems.empty() ? translate("inbox", "no messages on the phone")
                                    : translate("inbox", "no messages read from the phone"))
               << '\n';
    return allRead ? kExitOk : kExitRefused;
}

} // namespace

int RunInbox(std::vector<std::string> words, Io io) {
    if (IsHelp(words)) {
        io.out << InboxUsage();
        return kExitOk;
    }
    PhoneTarget target;
    bool json = false;
    std::vector<std::string> toDelete;
    const CommandLine line(words, PhoneOptions({{"--json"}, {"--delete"}, kStore}),
                           {.optionsAfterPositionals = true, .doubleDashEndsOptions = false});
    const std::vector<GivenWord>& given = line.given();
    for (std::size_t i = 0; i < given.size(); ++i) {
        std::optional<Failure> failure;
        if (given[i].option == "--json") {
            json = true;
        } else if (given[i].option == "--delete") {
            // Its indexes are the words after it, up to one that starts with "--".
            const std::size_t first = i + 1;
            while (i + 1 < given.size() && given[i + 1].kind == GivenWord::Positional &&
                   given[i + 1].word.rfind("--", 0) != 0)
                toDelete.push_back(given[++i].word);
            if (i < first)
                failure = Failure{kExitUsage, translate("inbox", "inbox: --delete needs at least one index")};
        } else if (!TakeLinkOption(given[i], target, "inbox", failure)) {
            failure =
                Failure{kExitUsage, Fill(translate("inbox", "inbox: unexpected \"%1\""), {given[i].word})};
        }
        if (failure)
            return Report(*failure, io, InboxUsage());
    }
    if (toDelete.empty())
        if (auto running = RunningProgram(target, io))
            return InboxThrough(running, json, io);
    CliPhone phone(target, io);
    MessageService& service = phone.Service();
    if (!phone.store())
        io.err << "velmora-cli: "
               << Fill(translate("inbox", "the messages read are not kept: %1"), {S(service.noStoreReason())})
               << '\n';
    if (!phone.Connect())
        return kExitUnreachable;
    const auto stored = phone.session().ReadStoredMessages();
    // Kept (and logged) before anything may delete them.
    service.storedRead(QList<StoredMessage>(stored.begin(), stored.end()));
    if (!phone.session().IsConnected()) {
        io.err << "velmora-cli: " << phone.Why() << '\n';
        return kExitUnreachable;
    }
    const auto entries = JoinInbox(stored);
    bool allRead = PrintInbox(entries, json, io);
    // A store or a message that could not be read is named; the exit status
    // says the read was not whole.
    const std::vector<std::string>& problems = phone.session().StoreProblems();
    for (const std::string& problem : problems)
        io.err << "velmora-cli: " << ForOutput(problem, io.errIsTerminal) << '\n';
    allRead = allRead && problems.empty();
    if (entries.empty() && !json)
        io.out << (problems.empty() ? translate("inbox", "no messages on the phone")
                                    : translate("inbox", "no messages read from the phone"))
               << '\n';
    bool allDeleted = true;
    std::set<const InboxEntry*> deleted;
    std::string phoneWhy;    // the phone's answer to the last part the service handed it
    const QObject listening; // ends the connection before phoneWhy goes
    QObject::connect(&service, &MessageService::storedDeleted, &listening,
                     [&phoneWhy](const StoredMessage&, const QString& why) { phoneWhy = S(why); });
    for (const auto& name : toDelete) {
        std::string why;
        const InboxEntry* e = Named(entries, name, why);
        if (e && !deleted.insert(e).second)
            continue; // another part of a message already deleted
        // Only what the store holds may go from the phone: every part's
        // record, before any part goes.
        for (std::size_t i = 0; e && why.empty() && i < e->parts.size(); ++i)
            if (const auto refused = service.whyNotDelete(e->parts[i]))
                why = NotDeletable(*refused);
        std::size_t done = 0;
        for (; e && why.empty() && done < e->parts.size(); ++done) {
            phoneWhy.clear();
            if (const auto refused = service.deleteStored(e->parts[done]))
                why = NotDeletable(*refused);
            else
                why = phoneWhy;
        }
        if (!why.empty()) {
            // A long message stopped halfway: say which parts are gone.
            std::string gone;
            for (std::size_t i = 0; e && i + 1 < done; ++i)
                gone += Fill(translate("inbox", "%1 deleted, "), {e->Indexes()[i]});
            io.err << "velmora-cli: " << gone << Fill(translate("inbox", "%1 not deleted: %2"), {name, why})
                   << '\n';
            allDeleted = false;
            continue;
        }
        std::string places;
        for (const auto& i : e->Indexes())
            places += (places.empty() ? "" : " ") + i;
        io.err << Fill(translate("inbox", "deleted %1"), {places}) << '\n';
    }
    return allRead && allDeleted ? kExitOk : kExitRefused;
}

} // namespace velmora::cli
