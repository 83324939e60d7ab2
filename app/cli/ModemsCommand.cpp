// "modems": the modems the message store knows (velmorad writes them as it
// finds them), how each was last seen and how much waits for it.

#include "MessageApi.h"
#include "Options.h"
#include "PhoneCommands.h"
#include "QtText.h"
#include "Said.h"
#include "TerminalText.h"
#include "Through.h"
#include "Translations.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <ostream>

namespace velmora::cli {

namespace {

std::string ModemsUsage() {
    return translate("modems",
                     "usage: velmora-cli modems [--json] [--store PATH]\n"
                     "The modems the message store knows, a line each: its name, the device it was\n"
                     "last opened on, its IMEI, its network, its signal (of 31), its state (ready,\n"
                     "busy, away: no device, stuck: not answering), how many queued messages it could\n"
                     "take and when it was last seen. The modem of the window and of velmora-cli has\n"
                     "no name.\n"
                     "  --json                the same as a JSON array, for a program\n"
                     "Exit status 0, also when no modem is known; 1 when the store cannot be read.\n") +
           RunningStoreUsage();
}

// The state as a person reads it; one this program does not know as it is.
std::string StateShown(const QString& state) {
    if (state == QLatin1String("ready"))
        return translate("modems", "ready");
    if (state == QLatin1String("busy"))
        return translate("modems", "busy");
    if (state == QLatin1String("away"))
        return translate("modems", "away");
    if (state == QLatin1String("stuck"))
        return translate("modems", "stuck");
    return state.isEmpty() ? "-" : S(state);
}

std::string OrDash(const QString& text) { return text.isEmpty() ? "-" : S(text); }

} // namespace

int RunModems(std::vector<std::string> words, Io io) {
    if (IsHelp(words)) {
        io.out << ModemsUsage();
        return kExitOk;
    }
    const CommandLine line(words, {{"--json"}, kStore, {"--direct"}}, kCommandWords);
    if (const GivenWord* unknown = line.first(GivenWord::Unknown))
        return Report({kExitUsage, Fill(translate("modems", "modems: unknown option %1"), {unknown->word})},
                      io, ModemsUsage());
    if (const GivenWord* missing = line.first(GivenWord::MissingValue))
        return Report({kExitUsage, Fill(translate("modems", "modems: %1 needs a value"), {missing->option})},
                      io, ModemsUsage());
    if (!line.positional().empty())
        return Report(
            {kExitUsage, Fill(translate("modems", "modems: unexpected \"%1\""), {line.positional().front()})},
            io, ModemsUsage());
    const bool json = line.has("--json");
    // The running program's store (its modems), where this user may read it.
    auto opened = OpenMessageStore(StoreOfRunning(line.value("--store"), line.has("--direct"), io), false, io,
                                   MessageStore::Access::Read);
    if (!opened)
        return Report({kExitRefused, ForOutput(opened.error(), io.errIsTerminal)}, io);
    std::vector<ModemRecord> modems;
    std::vector<int> depths;
    if (MessageStore* store = opened.value().get()) {
        auto known = store->Modems();
        if (!known)
            return Report({kExitRefused, ForOutput(known.error(), io.errIsTerminal)}, io);
        modems = std::move(known.value());
        for (const ModemRecord& m : modems) {
            const auto depth = store->QueueDepth(m.name);
            if (!depth)
                return Report({kExitRefused, ForOutput(depth.error(), io.errIsTerminal)}, io);
            depths.push_back(depth.value());
        }
    }
    if (json) {
        QJsonArray all;
        for (std::size_t i = 0; i < modems.size(); ++i) {
            ModemRecord m = modems[i];
            m.queued = depths[i];
            all.append(ModemJson(m));
        }
        io.out << QJsonDocument(all).toJson(QJsonDocument::Indented).toStdString();
        return kExitOk;
    }
    if (modems.empty()) {
        io.out << translate("modems", "No modem is known yet") << '\n';
        return kExitOk;
    }
    // A column each, as wide as its widest cell.
    std::vector<std::vector<std::string>> rows{
        {translate("modems", "NAME"), translate("modems", "DEVICE"), translate("modems", "IMEI"),
         translate("modems", "NETWORK"), translate("modems", "SIGNAL"), translate("modems", "STATE"),
         translate("modems", "QUEUED"), translate("modems", "LAST SEEN")}};
    for (std::size_t i = 0; i < modems.size(); ++i) {
        const ModemRecord& m = modems[i];
        rows.push_back({m.name.isEmpty() ? translate("modems", "(no name)") : S(m.name), OrDash(m.device),
                        OrDash(m.imei), OrDash(m.operatorName),
                        m.signal >= 0 && m.signal <= 31 ? std::to_string(m.signal) + "/31" : "-",
                        StateShown(m.state), std::to_string(depths[i]),
                        m.lastSeen.isValid()
                            ? S(m.lastSeen.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")))
                            : "-"});
    }
    for (auto& row : rows)
        for (auto& cell : row)
            cell = ForOutput(cell, io.outIsTerminal);
    std::vector<qsizetype> widths(rows.front().size(), 0);
    for (const auto& row : rows)
        for (std::size_t c = 0; c < row.size(); ++c)
            widths[c] = std::max(widths[c], Q(row[c]).size());
    for (const auto& row : rows) {
        std::string text;
        for (std::size_t c = 0; c < row.size(); ++c) {
            text += row[c];
            if (c + 1 < row.size())
                text += std::string(static_cast<std::size_t>(widths[c] - Q(row[c]).size() + 2), ' ');
        }
        io.out << text << '\n';
    }
    return kExitOk;
}

} // namespace velmora::cli
