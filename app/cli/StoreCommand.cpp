// "store": the message store itself, without a phone: the full check of
// its pages and a copy made while other programs use it.

#include "AppPaths.h"
#include "Cli.h"
#include "CommandApplication.h"
#include "GlobalU.h"
#include "MessageStore.h"
#include "QtText.h"
#include "Said.h"
#include "TerminalText.h"

#include <QFileInfo>

#include <ostream>

namespace velmora::cli {

namespace {

std::string StoreUsage() {
    return translate("store", "usage: velmora-cli store check [--store PATH]\n"
                              "       velmora-cli store backup FILE [--force] [--store PATH]\n"
                              "\n"
                              "check   reads every page of the message store (SQLite's integrity_check) and\n"
                              "        says whether it is whole, or what SQLite found wrong\n"
                              "backup  copies the message store to FILE as it is at one moment, while\n"
                              "        other programs may be using it; the copy is written under another\n"
                              "        name and takes FILE's name when whole. An existing FILE is kept\n"
                              "        unless --force is given.\n"
                              "\n"
                              "  --store PATH    the store instead of the one the settings name\n"
                              "\n"
                              "Exit status: 0 when the store is whole (check) or copied (backup), 1 when\n"
                              "it is damaged or could not be read or copied, 2 for wrong usage.\n");
}

} // namespace

int RunStore(std::vector<std::string> words, Io io) {
    for (const std::string& w : words)
        if (w == "--help" || w == "-h") {
            io.out << StoreUsage();
            return kExitOk;
        }
    std::string verb, file, store;
    bool force = false;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& w = words[i];
        if (w == "--force") {
            force = true;
        } else if (w == "--store") {
            if (i + 1 == words.size())
                return Report({kExitUsage, translate("store", "store: --store needs a value")}, io,
                              StoreUsage());
            store = words[++i];
        } else if (w.rfind("--store=", 0) == 0) {
            store = w.substr(8);
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
    if (verb != "check" && verb != "backup")
        return Report({kExitUsage, verb.empty() ? translate("store", "store: check or backup?")
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
        store = ChooseMessageStore(paths, settings.MessageStore);
    }
    const QFileInfo info(Q(store));
    if (!info.exists() || (info.isFile() && info.size() == 0))
        return Report({kExitRefused, Fill(translate("store", "there is no message store yet: %1"),
                                          {ForOutput(store, io.errIsTerminal)})},
                      io);
    auto opened = MessageStore::Open(Q(store), MessageStore::Access::Read);
    if (!opened)
        return Report({kExitRefused, ForOutput(opened.error(), io.errIsTerminal)}, io);
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
