// "store": the message store itself, without a phone: the full check of
// its pages, a copy made while other programs use it, and the move of its
// history from one store to another (a file to a PostgreSQL server).

#include "AppPaths.h"
#include "Cli.h"
#include "CommandApplication.h"
#include "GlobalU.h"
#include "MessageStore.h"
#include "QtText.h"
#include "Said.h"
#include "StoreLocation.h"
#include "TerminalText.h"

#include <ostream>

namespace velmora::cli {

namespace {

std::string StoreUsage() {
    return translate("store", "usage: velmora-cli store check [--store PATH]\n"
                              "       velmora-cli store backup FILE [--force] [--store PATH]\n"
                              "       velmora-cli store copy --from LOCATION --to LOCATION\n"
                              "\n"
                              "check   reads every page of the message store (SQLite's integrity_check) and\n"
                              "        says whether it is whole, or what SQLite found wrong\n"
                              "backup  copies the message store to FILE as it is at one moment, while\n"
                              "        other programs may be using it; the copy is written under another\n"
                              "        name and takes FILE's name when whole. An existing FILE is kept\n"
                              "        unless --force is given.\n"
                              "copy    copies every message, batch, group, contact and modem of one store\n"
                              "        into another that holds no message yet, such as a file into a\n"
                              "        PostgreSQL server's; the first is only read\n"
                              "\n"
                              "  --store PATH    the store instead of the one the settings name\n"
                              "  --from LOCATION, --to LOCATION\n"
                              "                  a store's file or postgresql://USER@HOST/DATABASE?...\n"
                              "\n"
                              "Exit status: 0 when the store is whole (check) or copied (backup, copy), 1\n"
                              "when it is damaged or could not be read or copied, 2 for wrong usage.\n");
}

// The store at `location` opened to be read; else the refusal is said and
// the exit status given. Reading makes no store: an empty file is none yet.
Result<std::unique_ptr<MessageStore>, int> OpenToRead(const std::string& location, Io io) {
    using R = Result<std::unique_ptr<MessageStore>, int>;
    if (StoreNotMadeYet(Q(location)))
        return R::Fail(Report({kExitRefused, Fill(translate("store", "there is no message store yet: %1"),
                                                  {ForOutput(location, io.errIsTerminal)})},
                              io));
    auto opened = MessageStore::Open(Q(location), MessageStore::Access::Read);
    if (!opened)
        return R::Fail(Report({kExitRefused, ForOutput(opened.error(), io.errIsTerminal)}, io));
    return R::Ok(std::move(opened.value()));
}

int RunCopy(const std::string& from, const std::string& to, bool otherOptions, Io io) {
    if (otherOptions)
        return Report({kExitUsage, translate("store", "store copy: takes --from and --to only")}, io,
                      StoreUsage());
    if (from.empty() || to.empty())
        return Report({kExitUsage, translate("store", "store copy: --from which store, --to which?")}, io,
                      StoreUsage());
    if (from == to || SameStore(Q(from), Q(to)))
        return Report({kExitUsage, translate("store", "store copy: --from and --to name one store")}, io,
                      StoreUsage());
    const CommandApplication app;
    auto source = OpenToRead(from, io);
    if (!source)
        return source.error();
    // What a damaged page gives back is no history to hand on.
    if (source.value()->fault() == MessageStore::Fault::Damaged)
        return Report({kExitRefused, ForOutput(S(source.value()->faultText()), io.errIsTerminal)}, io);
    auto target = MessageStore::Open(Q(to), MessageStore::Access::Write);
    if (!target)
        return Report({kExitRefused, ForOutput(target.error(), io.errIsTerminal)}, io);
    if (target.value()->fault() != MessageStore::Fault::None)
        return Report({kExitRefused, ForOutput(S(target.value()->faultText()), io.errIsTerminal)}, io);
    const auto copied = source.value()->CopyTo(*target.value());
    if (!copied)
        return Report({kExitRefused, ForOutput(copied.error(), io.errIsTerminal)}, io);
    io.out << Fill(translate("store", "Copied %1 messages from %2 to %3"),
                   {std::to_string(*copied), ForOutput(from, io.outIsTerminal),
                    ForOutput(to, io.outIsTerminal)})
           << '\n';
    return kExitOk;
}

} // namespace

int RunStore(std::vector<std::string> words, Io io) {
    for (const std::string& w : words)
        if (w == "--help" || w == "-h") {
            io.out << StoreUsage();
            return kExitOk;
        }
    std::string verb, file, store, from, to;
    bool force = false;
    // --store, --from and --to each take a value, after a blank or an '='.
    const struct {
        const char* option;
        std::string* value;
    } valued[] = {{"--store", &store}, {"--from", &from}, {"--to", &to}};
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& w = words[i];
        bool taken = false;
        for (const auto& v : valued) {
            const std::string option = v.option;
            if (w == option) {
                if (i + 1 == words.size())
                    return Report({kExitUsage, Fill(translate("store", "store: %1 needs a value"), {option})},
                                  io, StoreUsage());
                *v.value = words[++i];
                taken = true;
                break;
            }
            if (w.rfind(option + '=', 0) == 0) {
                *v.value = w.substr(option.size() + 1);
                taken = true;
                break;
            }
        }
        if (taken)
            continue;
        if (w == "--force") {
            force = true;
        } else if (w.rfind("-", 0) == 0 && w.size() > 1) {
            return Report({kExitUsage, Fill(translate("store", "store: unknown option \"%1\""), {w})}, io,
                          StoreUsage());
        } else if (verb.empty()) {
            verb = w;
        } else if (verb == "backup" && file.empty()) {
            file = w;
        } else {
            return Report({kExitUsage, Fill(translate("store", "store: unexpected \"%1\""), {w})}, io,
                          StoreUsage());
        }
    }
    if (verb == "copy")
        return RunCopy(from, to, force || !store.empty(), io);
    if (!from.empty() || !to.empty())
        return Report({kExitUsage, translate("store", "store: --from and --to go with copy")}, io,
                      StoreUsage());
    if (verb != "check" && verb != "backup")
        return Report({kExitUsage, verb.empty() ? translate("store", "store: check, backup or copy?")
                                                : Fill(translate("store", "store: unknown \"%1\""), {verb})},
                      io, StoreUsage());
    if (verb == "backup" && file.empty())
        return Report({kExitUsage, translate("store", "store backup: which file?")}, io, StoreUsage());
    if (verb == "check" && force)
        return Report({kExitUsage, translate("store", "store check: --force goes with backup")}, io,
                      StoreUsage());

    const CommandApplication app;
    if (store.empty()) {
        const AppPaths paths = CurrentAppPaths();
        Settings settings;
        for (const auto& message : LoadSettings(SettingsSection::Communication, paths.settingsFile, settings))
            io.err << "velmora-cli: " << ForOutput(message, io.errIsTerminal) << '\n';
        store = ChooseMessageStore(paths, SettingsStore(settings));
    }
    auto opened = OpenToRead(store, io);
    if (!opened)
        return opened.error();
    MessageStore& s = *opened.value();
    if (verb == "backup") {
        const auto copied = s.Backup(Q(file), force);
        if (!copied)
            return Report({kExitRefused, ForOutput(copied.error(), io.errIsTerminal)}, io);
        // Exit 1 all the same: the store is damaged.
        if (!*copied) {
            io.out << Fill(translate("store",
                                     "The message store is damaged: its bytes are copied as they lie "
                                     "to %1, for a rescue to read"),
                           {ForOutput(file, io.outIsTerminal)})
                   << '\n';
            return kExitRefused;
        }
        io.out << Fill(translate("store", "The message store is copied to %1"),
                       {ForOutput(file, io.outIsTerminal)})
               << '\n';
        return kExitOk;
    }
    const auto checked = s.IntegrityCheck();
    if (!checked)
        return Report({kExitRefused, ForOutput(checked.error(), io.errIsTerminal)}, io);
    if (*checked == QStringList{"ok"}) {
        io.out << Fill(translate("store", "The message store %1 is whole"),
                       {ForOutput(store, io.outIsTerminal)})
               << '\n';
        return kExitOk;
    }
    io.out << Fill(translate("store", "The message store %1 is damaged; SQLite found:"),
                   {ForOutput(store, io.outIsTerminal)})
           << '\n';
    for (const QString& line : *checked)
        io.out << "  " << ForOutput(S(line), io.outIsTerminal) << '\n';
    return kExitRefused;
}

} // namespace velmora::cli
