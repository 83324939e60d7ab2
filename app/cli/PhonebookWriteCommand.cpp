// "phonebook --add/--set/--delete/--import": writing the SIM's phone book.

#include "PhoneCommands.h"

#include "CliPhone.h"
#include "ContactImport.h"
#include "Options.h"
#include "PhonebookWords.h"
#include "Strings.h"
#include "TerminalText.h"

#include <QCoreApplication>

#include <iostream>
#include <unistd.h>

namespace velmora::cli {

namespace {

std::string Say(const QString& text) { return text.toStdString(); }
std::string Latin1(const std::string& bytes) {
    return Say(QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

enum class Action { None, Add, Set, Delete, Import };

struct WriteOptions {
    Action action = Action::None;
    std::string name, number, file;
    int index = 0;
    bool dryRun = false;
    bool yes = false;
};

// Asks on the terminal; without one only --yes agrees. What the SIM holds
// may carry control characters: a terminal is shown them escaped.
bool Agreed(const WriteOptions& o, const QString& question, Io io) {
    return AgreedOnTerminal(
        o.yes, ForOutput(Say(question), io.errIsTerminal),
        Say(QCoreApplication::translate(
            "PhonebookCommand",
            "not agreed: there is no terminal to ask on; give --yes to agree beforehand")),
        io);
}

int ExitFor(const SimBookOutcome& o) {
    return o.problem == SimBookProblem::NotConnected ? kExitUnreachable : kExitRefused;
}

// What a file or the SIM holds may carry control characters: a terminal is
// shown them escaped.
int Refuse(const QString& why, Io io, int code = kExitRefused) {
    io.err << "velmora-cli: " << ForOutput(Say(why), io.errIsTerminal) << '\n';
    return code;
}

std::string EntryText(const PhonebookEntry& e) { return Latin1(e.name) + " (" + Latin1(e.number) + ")"; }

void PrintPlan(const ImportPlan& plan, const std::vector<QString>& skipped, Io io) {
    const auto shown = [&](const QString& text) { return ForOutput(Say(text), io.outIsTerminal); };
    if (!plan.entries.empty())
        io.out << Say(QCoreApplication::translate("PhonebookCommand", "Place  Name                  Number"))
               << '\n';
    for (const PlannedEntry& e : plan.entries) {
        QString line = QStringLiteral("%1  %2  %3").arg(e.index, 5).arg(e.name, -20).arg(e.number);
        if (e.cut)
            line +=
                "  " + QCoreApplication::translate("PhonebookCommand", "(cut from \"%1\")").arg(e.fullName);
        io.out << shown(line) << '\n';
    }
    if (!plan.unfit.empty())
        io.out << Say(QCoreApplication::translate("PhonebookCommand", "Not written:")) << '\n';
    for (const UnfitEntry& u : plan.unfit)
        io.out << shown(QCoreApplication::translate("PhonebookCommand", "  line %1: %2 %3: %4")
                            .arg(u.line)
                            .arg(u.name, u.number, UnfitText(u)))
               << '\n';
    for (const QString& s : skipped)
        io.out << shown(QCoreApplication::translate("PhonebookCommand", "  %1").arg(s)) << '\n';
}

int Import(CliPhone& phone, const PhonebookSurvey& survey, const ContactFile& file, const WriteOptions& o,
           Io io) {
    ImportTarget target{survey.limits, survey.Current(), survey.Ucs2Offered(), survey.FreePlaces(), {}};
    for (const PhonebookEntry& e : survey.entries)
        target.numbersThere.emplace_back(LeadingNumber(e.index), e.number);
    const ImportPlan plan = PlanImport(file.contacts, target, true);
    PrintPlan(plan, std::vector<QString>(file.skipped.begin(), file.skipped.end()), io);
    if (o.dryRun) {
        io.out
            << Say(QCoreApplication::translate(
                       "PhonebookCommand",
                       "Nothing written (--dry-run): %1 entries would go to the SIM, %2 of them with their "
                       "names cut.")
                       .arg(plan.entries.size())
                       .arg(plan.cutCount()))
            << '\n';
        return kExitOk;
    }
    if (plan.entries.empty())
        return Refuse(QCoreApplication::translate("PhonebookCommand",
                                                  "nothing to write: no contact of the file fits the SIM"),
                      io);
    const QString question =
        plan.cutCount() > 0
            ? QCoreApplication::translate(
                  "PhonebookCommand",
                  "Write %1 entries to the SIM, %2 of them with their names cut to %3 characters?")
                  .arg(plan.entries.size())
                  .arg(plan.cutCount())
                  .arg(NameCapacity(survey.limits, survey.Current()))
            : QCoreApplication::translate("PhonebookCommand", "Write %1 entries to the SIM?")
                  .arg(plan.entries.size());
    if (!Agreed(o, question, io))
        return kExitRefused;
    int code = kExitOk;
    int written = 0;
    for (const PlannedEntry& e : plan.entries) {
        const SimBookOutcome r = phone.session().WritePhonebookEntry(
            survey, SimEntry{e.index, e.number.toStdString(), e.name.toStdU16String()}, false);
        if (!r.ok()) {
            io.err << "velmora-cli: " << ForOutput(Say(SimBookProblemText(r)), io.errIsTerminal) << '\n';
            code = std::max(code, ExitFor(r));
            if (r.problem == SimBookProblem::NotConnected)
                break;
            continue;
        }
        ++written;
    }
    // Read again, so what is said is what the SIM holds now.
    const PhonebookSurvey after = phone.session().SurveyPhonebook();
    int found = 0;
    for (const PlannedEntry& e : plan.entries)
        if (const PhonebookEntry* there = after.At(e.index); there && there->number == e.number.toStdString())
            ++found;
    io.out << Say(QCoreApplication::translate("PhonebookCommand",
                                              "%1 of %2 entries written; the SIM holds %3 of them.")
                      .arg(written)
                      .arg(plan.entries.size())
                      .arg(after.ok() ? found : 0))
           << '\n';
    if (!after.ok())
        io.err << "velmora-cli: " << ForOutput(Say(SimBookProblemText(after.outcome)), io.errIsTerminal)
               << '\n';
    // Every contact of the file on the SIM, or the import did not do its
    // work: a contact left out (no place, no number, already there), an
    // entry refused, or one the SIM does not hold when read back.
    const bool allWritten = plan.unfit.empty() && file.skipped.isEmpty() &&
                            written == static_cast<int>(plan.entries.size()) && after.ok() &&
                            found == written;
    if (code == kExitOk && !allWritten)
        code = after.ok() ? kExitRefused : ExitFor(after.outcome);
    return code;
}

std::optional<int> PlaceNumber(const std::string& word) {
    const auto n = Number(word);
    return n && *n >= 0 ? n : std::nullopt;
}

} // namespace

std::string PhonebookWriteUsage() {
    return Say(QCoreApplication::translate(
        "PhonebookCommand", "  --add NAME NUMBER     write a new entry at the first free place\n"
                            "  --set INDEX NAME NUMBER  write the entry at place INDEX; a filled place is\n"
                            "                        written over only once agreed\n"
                            "  --delete INDEX        empty place INDEX, once agreed\n"
                            "  --import FILE         write the contacts of a vCard (2.1, 3.0) or CSV file\n"
                            "                        (name, number) to the free places, once agreed; a\n"
                            "                        contact with several numbers gives one entry each,\n"
                            "                        names longer than the SIM holds are cut\n"
                            "  --dry-run             with --import: show where each contact would go,\n"
                            "                        which names are cut and which do not fit; write\n"
                            "                        nothing\n"
                            "  --yes                 agree beforehand; without it the command asks on the\n"
                            "                        terminal, and with no terminal refuses\n"
                            "Writing uses the fast dialogue. NUMBER is kept as typed, with its +; NAME is\n"
                            "refused when it holds characters the SIM cannot, or is longer than the SIM\n"
                            "holds. Exit status 0 when written, 1 when refused, not agreed or not written,\n"
                            "2 for a usage error, 3 when the phone could not be reached.\n"));
}

bool IsPhonebookWrite(const std::vector<std::string>& words) {
    for (const std::string& w : words)
        if (w == "--add" || w == "--set" || w == "--delete" || w == "--import")
            return true;
    return false;
}

int RunPhonebookWrite(std::vector<std::string> words, Io io) {
    PhoneTarget target;
    WriteOptions o;
    const auto usage = [&](const QString& why) {
        return Report(Failure{kExitUsage, "phonebook: " + Say(why)}, io, PhonebookUsage().c_str());
    };
    const CommandLine line(
        words,
        PhoneOptions(
            {{"--add"}, {"--set"}, {"--delete", true}, {"--import", true}, {"--dry-run"}, {"--yes"}}),
        WordRules{.optionsAfterPositionals = true, .doubleDashEndsOptions = true});
    std::vector<std::string> positional;
    for (const GivenWord& given : line.given()) {
        std::optional<Failure> failure;
        const std::string& opt = given.option;
        if (given.kind == GivenWord::Positional) {
            positional.push_back(given.word);
        } else if (opt == "--add" || opt == "--set" || opt == "--delete" || opt == "--import") {
            if (o.action != Action::None)
                return usage(QCoreApplication::translate("PhonebookCommand",
                                                         "give one of --add, --set, --delete and --import"));
            if (given.kind == GivenWord::MissingValue)
                return usage(QCoreApplication::translate("PhonebookCommand", "%1 needs a value")
                                 .arg(QString::fromStdString(opt)));
            o.action = opt == "--add"      ? Action::Add
                       : opt == "--set"    ? Action::Set
                       : opt == "--delete" ? Action::Delete
                                           : Action::Import;
            if (o.action == Action::Import)
                o.file = given.value;
            if (o.action == Action::Delete) {
                const auto index = PlaceNumber(given.value);
                if (!index)
                    return usage(QCoreApplication::translate("PhonebookCommand",
                                                             "--delete needs the place's number, not \"%1\"")
                                     .arg(QString::fromStdString(given.value)));
                o.index = *index;
            }
        } else if (opt == "--dry-run" && given.kind == GivenWord::Option) {
            o.dryRun = true;
        } else if (opt == "--yes" && given.kind == GivenWord::Option) {
            o.yes = true;
        } else if (!TakeLinkOption(given, target, "phonebook", failure)) {
            return usage(QCoreApplication::translate("PhonebookCommand", "unexpected \"%1\"")
                             .arg(QString::fromStdString(given.word)));
        }
        if (failure)
            return Report(*failure, io, PhonebookUsage().c_str());
    }
    const std::size_t wanted = o.action == Action::Add ? 2 : o.action == Action::Set ? 3 : 0;
    if (positional.size() != wanted)
        return usage(
            o.action == Action::Add
                ? QCoreApplication::translate("PhonebookCommand", "--add needs NAME and NUMBER")
            : o.action == Action::Set
                ? QCoreApplication::translate("PhonebookCommand", "--set needs INDEX, NAME and NUMBER")
                : QCoreApplication::translate("PhonebookCommand", "unexpected \"%1\"")
                      .arg(QString::fromStdString(positional[0])));
    if (o.dryRun && o.action != Action::Import)
        return usage(QCoreApplication::translate("PhonebookCommand", "--dry-run goes with --import"));
    if (o.action == Action::Set) {
        const auto index = PlaceNumber(positional[0]);
        if (!index)
            return usage(
                QCoreApplication::translate("PhonebookCommand", "--set needs the place's number, not \"%1\"")
                    .arg(QString::fromStdString(positional[0])));
        o.index = *index;
        positional.erase(positional.begin());
    }
    if (!positional.empty()) {
        o.name = positional[0];
        o.number = positional[1];
        // The number is checked before the phone is: a typing slip costs no connect.
        const SimNumber number = CheckSimNumber(o.number, {});
        if (!number.ok()) {
            SimBookOutcome why;
            why.problem = number.problem == SimNumberProblem::Empty ? SimBookProblem::NumberEmpty
                                                                    : SimBookProblem::NotANumber;
            why.detail = o.number;
            return Refuse(SimBookProblemText(why), io);
        }
    }
    ContactFile contacts;
    if (o.action == Action::Import) {
        auto read = ReadContactFile(QString::fromLocal8Bit(o.file));
        if (!read)
            return Refuse(read.error(), io);
        contacts = std::move(read.value());
    }
    target.fast = true;
    CliPhone phone(target, io);
    if (!phone.Connect())
        return kExitUnreachable;
    const PhonebookSurvey survey = phone.session().SurveyPhonebook();
    if (!survey.ok()) {
        const int code = Refuse(SimBookProblemText(survey.outcome), io, ExitFor(survey.outcome));
        if (!phone.session().IsConnected())
            io.err << "velmora-cli: " << phone.Why() << '\n';
        return code;
    }
    const std::u16string name = IsUtf8(o.name) ? Utf8ToUtf16(o.name) : Latin1ToUtf16(o.name);
    SimBookOutcome result;
    switch (o.action) {
    case Action::None:
    case Action::Import:
        return Import(phone, survey, contacts, o, io);
    case Action::Add: {
        const std::vector<int> free = survey.FreePlaces();
        if (free.empty())
            return Refuse(
                QCoreApplication::translate("PhonebookCommand",
                                            "The SIM's phone book is full (%1 places); nothing was written.")
                    .arg(survey.limits.last - survey.limits.first + 1),
                io);
        o.index = free.front();
        result = phone.session().WritePhonebookEntry(survey, SimEntry{o.index, o.number, name}, false);
        break;
    }
    case Action::Set: {
        const PhonebookEntry* there = survey.At(o.index);
        if (there && !Agreed(o,
                             QCoreApplication::translate("PhonebookCommand",
                                                         "Place %1 holds %2. Write \"%3\" over it?")
                                 .arg(o.index)
                                 .arg(QString::fromStdString(EntryText(*there)))
                                 .arg(QString::fromStdU16String(name)),
                             io))
            return kExitRefused;
        result =
            phone.session().WritePhonebookEntry(survey, SimEntry{o.index, o.number, name}, there != nullptr);
        break;
    }
    case Action::Delete: {
        const PhonebookEntry* there = survey.At(o.index);
        if (!survey.limits.Holds(o.index) || !there) {
            result.problem =
                survey.limits.Holds(o.index) ? SimBookProblem::PlaceEmpty : SimBookProblem::IndexOutside;
            result.index = o.index;
            result.limits = survey.limits;
            return Refuse(SimBookProblemText(result), io);
        }
        if (!Agreed(o,
                    QCoreApplication::translate("PhonebookCommand", "Delete place %1, %2, from the SIM?")
                        .arg(o.index)
                        .arg(QString::fromStdString(EntryText(*there))),
                    io))
            return kExitRefused;
        result = phone.session().DeletePhonebookEntry(survey, o.index);
        break;
    }
    }
    if (!result.ok())
        return Refuse(SimBookProblemText(result), io, ExitFor(result));
    io.out << Say(o.action == Action::Delete
                      ? QCoreApplication::translate("PhonebookCommand", "Place %1 deleted.").arg(o.index)
                      : QCoreApplication::translate("PhonebookCommand", "Written to place %1.").arg(o.index))
           << '\n';
    return kExitOk;
}

} // namespace velmora::cli
