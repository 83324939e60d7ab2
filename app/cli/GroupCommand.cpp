// "group": the named lists of recipients "send --to" takes, as the
// window's Groups dialog keeps them in the message store.

#include "BatchBuilder.h"
#include "CountryCode.h"
#include "Options.h"
#include "PhoneCommands.h"
#include "QtText.h"
#include "Recipients.h"
#include "Said.h"
#include "TerminalText.h"
#include "Translations.h"

#include <ostream>

namespace velmora::cli {

namespace {

std::string GroupUsage() {
    return translate("group",
                     "usage: velmora-cli group list [--store PATH]\n"
                     "       velmora-cli group show NAME [--store PATH]\n"
                     "       velmora-cli group add NAME NUMBER [MEMBER NAME] [--store PATH]\n"
                     "       velmora-cli group remove NAME NUMBER|MEMBER [--store PATH]\n"
                     "       velmora-cli group import NAME FILE.csv [--number-column COLUMN] [--store PATH]\n"
                     "       velmora-cli group delete NAME [--store PATH]\n"
                     "\n"
                     "The groups \"send --to NAME\" sends to, the same the window's Groups dialog keeps.\n"
                     "A number is read as \"send\" reads it: +62 812-345-6789, 0812..., 0062... and\n"
                     "62812... are one member.\n"
                     "  list      every group with how many members it has\n"
                     "  show      a group's members\n"
                     "  add       a member, making the group when there is none of that name\n"
                     "  remove    the member with that number, or with that name\n"
                     "  import    the members of a contacts file (as \"send --to-file\" reads it),\n"
                     "            added to the group, made when there is none\n"
                     "  delete    the group; its messages sent stay in the history\n"
                     "Exit status 0 when done, 1 when refused or a member was left out (named on\n"
                     "stderr), 2 for a usage error.\n");
}

// A member's number as sending reads it, or why it is none.
Result<std::string> MemberNumber(const QString& written) {
    QString number;
    for (const QChar c : written)
        if (!c.isSpace())
            number += c;
    return CheckDestination(number.toStdString(), HomeCountryCode().toStdString());
}

std::string Shown(const GroupMember& m, bool terminal) {
    return ForOutput(S(m.name.isEmpty() ? m.number : m.number + "  " + m.name), terminal);
}

} // namespace

int RunGroup(std::vector<std::string> words, Io io) {
    if (words.empty() || IsHelp(words)) {
        (words.empty() ? io.err : io.out) << GroupUsage();
        return words.empty() ? kExitUsage : kExitOk;
    }
    const std::string verb = words.front();
    words.erase(words.begin());
    static const std::map<std::string, std::pair<std::size_t, std::size_t>> kWords{
        {"list", {0, 0}},   {"show", {1, 1}},   {"add", {2, 3}},
        {"remove", {2, 2}}, {"import", {2, 2}}, {"delete", {1, 1}}};
    const auto counts = kWords.find(verb);
    if (counts == kWords.end())
        return Report({kExitUsage, Fill(translate("group", "group: unknown \"%1\": list, show, add, remove, "
                                                           "import or delete"),
                                        {verb})},
                      io, GroupUsage());
    const CommandLine line(words, {kStore, {"--number-column", true}}, kCommandWords);
    if (const GivenWord* unknown = line.first(GivenWord::Unknown))
        return Report(
            {kExitUsage, Fill(translate("group", "group %1: unknown option %2"), {verb, unknown->word})}, io,
            GroupUsage());
    if (const GivenWord* missing = line.first(GivenWord::MissingValue))
        return Report(
            {kExitUsage, Fill(translate("group", "group %1: %2 needs a value"), {verb, missing->option})}, io,
            GroupUsage());
    if (line.has("--number-column") && verb != "import")
        return Report({kExitUsage, translate("group", "group: --number-column goes with import")}, io,
                      GroupUsage());
    const std::vector<std::string> rest = line.positional();
    if (rest.size() < counts->second.first || rest.size() > counts->second.second)
        return Report({kExitUsage, Fill(translate("group", "group %1: wrong number of words"), {verb})}, io,
                      GroupUsage());

    const bool writes = verb == "add" || verb == "import";
    const bool changes = writes || verb == "remove" || verb == "delete";
    auto opened = OpenMessageStore(line.value("--store"), writes, io,
                                   changes ? MessageStore::Access::Write : MessageStore::Access::Read);
    if (!opened)
        return Report({kExitRefused, ForOutput(opened.error(), io.errIsTerminal)}, io);
    MessageStore* store = opened.value().get();
    const QString name = rest.empty() ? QString() : Q(rest.front()).trimmed();
    std::optional<Group> group = store && !name.isEmpty() ? store->GroupNamed(name) : std::nullopt;

    if (verb == "list") {
        const std::vector<Group> groups = store ? store->Groups() : std::vector<Group>{};
        if (groups.empty())
            io.out << translate("group", "There are no groups") << '\n';
        for (const Group& g : groups)
            io.out << ForOutput(S(g.name), io.outIsTerminal) << "  "
                   << Fill(g.members.size() == 1 ? translate("group", "%1 member")
                                                 : translate("group", "%1 members"),
                           {std::to_string(g.members.size())})
                   << '\n';
        return kExitOk;
    }
    if (!group && verb != "add" && verb != "import")
        return Report(
            {kExitRefused, ForOutput(Fill(translate("group", "there is no group \"%1\""), {rest.front()}),
                                     io.errIsTerminal)},
            io);
    if (verb == "show") {
        for (const GroupMember& m : group->members)
            io.out << Shown(m, io.outIsTerminal) << '\n';
        return kExitOk;
    }
    if (verb == "delete") {
        const auto deleted = store->DeleteGroup(group->id);
        if (!deleted)
            return Report({kExitRefused, deleted.error()}, io);
        io.out << ForOutput(Fill(translate("group", "Group \"%1\" deleted"), {S(group->name)}),
                            io.outIsTerminal)
               << '\n';
        return kExitOk;
    }
    Group changed = group.value_or(Group{0, name, {}});
    // The members already there, by the number they are sent to.
    QStringList there;
    for (const GroupMember& m : changed.members)
        there << ConversationKey(m.number);
    bool leftOut = false;
    int added = 0;
    const auto add = [&](const GroupMember& m, const std::string& where) {
        const auto number = MemberNumber(m.number);
        std::string why;
        if (!number)
            why = number.error();
        else if (there.contains(ConversationKey(m.number)))
            why = translate("group", "already in the group");
        if (!why.empty()) {
            leftOut = leftOut || number.ok() == false;
            io.err << "velmora-cli: "
                   << ForOutput(Fill(number ? translate("group", "once only: %1: %2")
                                            : translate("group", "left out: %1: %2"),
                                     {where.empty() ? S(m.number) : where, LocalizedBytes(why)}),
                                io.errIsTerminal)
                   << '\n';
            return;
        }
        there << ConversationKey(m.number);
        changed.members.push_back(m);
        ++added;
    };
    if (verb == "add") {
        add(GroupMember{rest.size() > 2 ? Q(rest[2]).trimmed() : QString(), Q(rest[1]).trimmed()}, "");
        if (!added)
            return kExitRefused;
    } else if (verb == "import") {
        const auto table = ReadCsvFile(Q(rest[1]));
        if (!table)
            return Report({kExitRefused, ForOutput(S(table.error()), io.errIsTerminal)}, io);
        const auto members = MembersFromTable(*table, Q(line.value("--number-column").value_or("")));
        if (!members)
            return Report(
                {kExitRefused,
                 ForOutput(line.has("--number-column")
                               ? S(members.error())
                               : Fill(translate("send", "%1; name it with --number-column (its header or its "
                                                        "place, 1 for the first)"),
                                      {S(members.error())}),
                           io.errIsTerminal)},
                io);
        for (const GroupMember& m : *members)
            add(m, "");
    } else { // remove
        const QString who = Q(rest[1]).trimmed();
        const QString key = ConversationKey(who);
        const auto before = changed.members.size();
        std::erase_if(changed.members, [&](const GroupMember& m) {
            return ConversationKey(m.number) == key || m.name.compare(who, Qt::CaseInsensitive) == 0;
        });
        if (changed.members.size() == before)
            return Report(
                {kExitRefused, ForOutput(Fill(translate("group", "the group \"%1\" has no member %2"),
                                              {S(changed.name), rest[1]}),
                                         io.errIsTerminal)},
                io);
    }
    const auto saved = store->SaveGroup(changed);
    if (!saved)
        return Report({kExitRefused, saved.error()}, io);
    io.out << ForOutput(Fill(changed.members.size() == 1 ? translate("group", "Group \"%1\": %2 member")
                                                         : translate("group", "Group \"%1\": %2 members"),
                             {S(changed.name), std::to_string(changed.members.size())}),
                        io.outIsTerminal)
           << '\n';
    return leftOut ? kExitRefused : kExitOk;
}

} // namespace velmora::cli
