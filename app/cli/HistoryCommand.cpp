// "history": the messages the store keeps, newest first, from the same file
// the window writes, without a phone.

#include "AppPaths.h"
#include "Cli.h"
#include "CommandApplication.h"
#include "GlobalU.h"
#include "MessageStore.h"
#include "QtText.h"
#include "Said.h"
#include "Shown.h"
#include "TerminalText.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <optional>
#include <ostream>

namespace velmora::cli {

namespace {

std::string HistoryUsage() {
    return translate("history",
                     "usage: velmora-cli history [--json] [--number N] [--search TEXT] [--state STATE]\n"
                     "                           [--direction in|out] [--limit N] [--store PATH]\n"
                     "\n"
                     "Prints the messages sent and received that the message store keeps, newest\n"
                     "first, one a line: the time, \"out\" or \"in\", the number and its name, the\n"
                     "state and the start of the text. Nothing is sent and no phone is needed.\n"
                     "\n"
                     "  --json          a JSON array, one object a message, with its parts\n"
                     "  --number N      only the conversation with N (written in any of its forms)\n"
                     "  --search TEXT   only messages whose text, name or number holds TEXT, any case\n"
                     "  --state STATE   queued, sending, sent, delivered, not-delivered, failed,\n"
                     "                  uncertain, received or cancelled\n"
                     "  --direction D   out (sent) or in (received)\n"
                     "  --limit N       at most N messages, the newest\n"
                     "  --store PATH    the store to read instead of the one the settings name\n"
                     "\n"
                     "Exit status: 0 when the messages were printed (or there are none yet), 1 when\n"
                     "the store could not be read, 2 for wrong usage.\n");
}

constexpr msg::State kStates[] = {msg::State::Queued,    msg::State::Sending,      msg::State::Sent,
                                  msg::State::Delivered, msg::State::NotDelivered, msg::State::Failed,
                                  msg::State::Uncertain, msg::State::Received,     msg::State::Cancelled};

QString StateList() {
    QStringList names;
    for (const msg::State s : kStates)
        names << msg::StateName(s);
    return names.join(", ");
}

struct Options {
    bool json = false;
    HistoryQuery query;
    QString store;
};

// The options, or a usage error's line.
std::optional<Options> Parse(const std::vector<std::string>& words, std::string& why) {
    QCommandLineParser parser;
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
    const QCommandLineOption json("json"), number("number", "", "N"), search("search", "", "TEXT"),
        state("state", "", "STATE"), direction("direction", "", "D"), limit("limit", "", "N"),
        store("store", "", "PATH");
    parser.addOptions({json, number, search, state, direction, limit, store});
    QStringList args{"history"};
    for (const std::string& w : words)
        args << QString::fromStdString(w);
    if (!parser.parse(args)) {
        if (const QStringList unknown = parser.unknownOptionNames(); !unknown.isEmpty())
            why = Fill(translate("history", "unknown option \"%1\""),
                       {(unknown.first().size() == 1 ? "-" : "--") + S(unknown.first())});
        else if (!words.empty() && words.back().rfind("--", 0) == 0)
            // The one way a known option fails.
            why = Fill(translate("history", "%1 needs a value"), {words.back()});
        else
            why = S(parser.errorText());
        return std::nullopt;
    }
    if (!parser.positionalArguments().isEmpty()) {
        why = Fill(translate("history", "unexpected \"%1\""), {S(parser.positionalArguments().first())});
        return std::nullopt;
    }
    // Given twice, an option's last value counts, as a shell alias expects.
    const auto last = [&](const QCommandLineOption& o) {
        return parser.values(o).value(parser.values(o).size() - 1);
    };
    Options o;
    o.json = parser.isSet(json);
    if (parser.isSet(number)) {
        o.query.number = ConversationKey(last(number).trimmed());
        if (o.query.number.isEmpty()) {
            why = translate("history", "--number needs a number");
            return std::nullopt;
        }
    }
    o.query.search = last(search);
    if (parser.isSet(state)) {
        o.query.state = msg::StateFromName(S(last(state)));
        if (!o.query.state) {
            why = Fill(translate("history", "--state must be one of %1, not \"%2\""),
                       {S(StateList()), S(last(state))});
            return std::nullopt;
        }
    }
    if (parser.isSet(direction)) {
        o.query.direction = msg::DirectionFromName(S(last(direction)));
        if (!o.query.direction) {
            why =
                Fill(translate("history", "--direction must be in or out, not \"%1\""), {S(last(direction))});
            return std::nullopt;
        }
    }
    if (parser.isSet(limit)) {
        bool ok = false;
        o.query.limit = last(limit).toInt(&ok);
        if (!ok || o.query.limit < 1) {
            why = Fill(translate("history", "--limit must be a whole number of at least 1, not \"%1\""),
                       {S(last(limit))});
            return std::nullopt;
        }
    }
    o.store = last(store);
    return o;
}

// The time that places the message: when it came, or when it went (else
// when it was written).
QDateTime Placed(const MessageRecord& m) {
    if (m.direction == msg::Direction::In)
        return m.received.isValid() ? m.received : m.created;
    return m.sent.isValid() ? m.sent : m.created;
}

std::string Line(const MessageRecord& m) {
    QString text = m.text.left(60);
    for (QChar& c : text)
        if (c.category() == QChar::Other_Control)
            c = ' ';
    const QDateTime when = Placed(m);
    const QString who = m.name.isEmpty() ? m.number : m.number + " (" + m.name + ")";
    return S(when.isValid() ? when.toLocalTime().toString("yyyy-MM-dd HH:mm") : QString(16, '-')) + "  " +
           msg::DirectionName(m.direction) + (m.direction == msg::Direction::In ? " " : "") + "  " + S(who) +
           "  " + StateShown(m) + (text.isEmpty() ? "" : "  " + S(text));
}

} // namespace

int RunHistory(std::vector<std::string> words, Io io) {
    for (const std::string& w : words)
        if (w == "--help" || w == "-h") {
            io.out << HistoryUsage();
            return kExitOk;
        }
    std::string why;
    const auto options = Parse(words, why);
    if (!options)
        return Report({kExitUsage, "history: " + why}, io, HistoryUsage());

    const CommandApplication app;

    QString path = options->store;
    if (path.isEmpty()) {
        const AppPaths paths = CurrentAppPaths();
        Settings settings;
        for (const auto& message : LoadSettings(SettingsSection::Communication, paths.settingsFile, settings))
            io.err << "velmora-cli: " << ForOutput(message, io.errIsTerminal) << '\n';
        path = Q(ChooseMessageStore(paths, settings.MessageStore));
    }
    // Reading makes no store: an empty file is not one yet either.
    const QFileInfo file(path);
    if (!file.exists() || (file.isFile() && file.size() == 0)) {
        if (options->json)
            io.out << "[]\n";
        else
            io.out << Fill(translate("history", "no messages yet: %1 holds none"),
                           {ForOutput(S(path), io.outIsTerminal)})
                   << '\n';
        return kExitOk;
    }
    auto store = MessageStore::Open(path);
    if (!store)
        return Report({kExitRefused, ForOutput(store.error(), io.errIsTerminal)}, io);
    const std::vector<MessageRecord> found = store.value()->Messages(options->query);
    if (options->json) {
        QJsonArray all;
        for (const MessageRecord& m : found)
            all.append(MessageJson(m));
        io.out << QJsonDocument(all).toJson(QJsonDocument::Indented).toStdString();
        return kExitOk;
    }
    for (const MessageRecord& m : found)
        io.out << ForOutput(Line(m), io.outIsTerminal) << '\n';
    if (found.empty())
        io.out << (options->query.search.isEmpty() && !options->query.state && !options->query.direction &&
                           options->query.number.isEmpty()
                       ? translate("history", "no messages yet")
                       : translate("history", "no messages match"))
               << '\n';
    return kExitOk;
}

} // namespace velmora::cli
