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
#include "StoreLocation.h"
#include "TerminalText.h"
#include "Terms.h"
#include "Through.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <iostream>
#include <optional>
#include <ostream>

#include <unistd.h>

namespace velmora::cli {

namespace {

std::string HistoryUsage() {
    return translate(
        "history", "usage: velmora-cli history [--json|--csv] [--number N] [--search TEXT] [--state STATE]\n"
                   "                           [--direction in|out] [--limit N] [--store PATH]\n"
                   "       velmora-cli history --delete-before DATE [--yes] [--store PATH]\n"
                   "\n"
                   "Prints the messages sent and received that the message store keeps, newest\n"
                   "first, one a line: the time, \"out\" or \"in\", the number and its name, the\n"
                   "state and the start of the text. Nothing is sent and no phone is needed.\n"
                   "\n"
                   "  --json          a JSON array, one object a message, with its parts\n"
                   "  --csv           CSV with a header row: id, time, direction, number, name,\n"
                   "                  state, reason, text\n"
                   "  --number N      only the conversation with N (written in any of its forms)\n"
                   "  --search TEXT   only messages whose text, name or number holds TEXT, any case\n"
                   "  --state STATE   queued, sending, sent, delivered, not-delivered, failed,\n"
                   "                  uncertain, received or cancelled\n"
                   "  --direction D   out (sent) or in (received)\n"
                   "  --limit N       at most N messages, the newest (on a terminal 50 unless given)\n"
                   "  --store PATH    the store to read instead of the one the settings name\n"
                   "  --delete-before DATE  deletes for good the messages from before DATE\n"
                   "                  (yyyy-mm-dd), except those still queued or sending; asks\n"
                   "                  first on a terminal, else needs --yes\n"
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
    bool csv = false;
    bool limitGiven = false;
    QDateTime deleteBefore; // valid: delete instead of listing
    bool yes = false;
    HistoryQuery query;
    QString store;
    bool direct = false; // --direct: the settings' store even when a running program keeps another
};

// The options, or a usage error's line.
std::optional<Options> Parse(const std::vector<std::string>& words, std::string& why) {
    QCommandLineParser parser;
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
    const QCommandLineOption json("json"), csv("csv"), number("number", "", "N"),
        search("search", "", "TEXT"), state("state", "", "STATE"), direction("direction", "", "D"),
        limit("limit", "", "N"), store("store", "", "PATH"), deleteBefore("delete-before", "", "DATE"),
        yes("yes"), direct("direct");
    parser.addOptions({json, csv, number, search, state, direction, limit, store, deleteBefore, yes, direct});
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
    o.csv = parser.isSet(csv);
    if (o.json && o.csv) {
        why = translate("history", "--json and --csv do not go together");
        return std::nullopt;
    }
    o.yes = parser.isSet(yes);
    if (parser.isSet(deleteBefore)) {
        const QDate day = QDate::fromString(last(deleteBefore).trimmed(), Qt::ISODate);
        if (!day.isValid()) {
            why = Fill(translate("history", "--delete-before needs a date as yyyy-mm-dd, not \"%1\""),
                       {S(last(deleteBefore))});
            return std::nullopt;
        }
        // The start of that day where the user is.
        o.deleteBefore = QDateTime(day, QTime(0, 0), Qt::LocalTime);
        for (const QCommandLineOption* other : {&json, &csv, &number, &search, &state, &direction, &limit})
            if (parser.isSet(*other)) {
                why = Fill(translate("history", "--delete-before goes with --yes and --store only, not --%1"),
                           {S(other->names().first())});
                return std::nullopt;
            }
    } else if (o.yes) {
        why = translate("history", "--yes goes with --delete-before");
        return std::nullopt;
    }
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
        o.limitGiven = true;
        bool ok = false;
        o.query.limit = last(limit).toInt(&ok);
        if (!ok || o.query.limit < 1) {
            why = Fill(translate("history", "--limit must be a whole number of at least 1, not \"%1\""),
                       {S(last(limit))});
            return std::nullopt;
        }
    }
    o.store = last(store);
    o.direct = parser.isSet(direct);
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
    QString text = terms::MessageText(m).left(60);
    for (QChar& c : text)
        if (c.category() == QChar::Other_Control)
            c = ' ';
    const QDateTime when = Placed(m);
    const QString who = m.name.isEmpty() ? m.number : m.number + " (" + m.name + ")";
    return S(when.isValid() ? when.toLocalTime().toString("yyyy-MM-dd HH:mm") : QString(16, '-')) + "  " +
           msg::DirectionName(m.direction) + (m.direction == msg::Direction::In ? " " : "") + "  " + S(who) +
           "  " + StateShown(m) + (text.isEmpty() ? "" : "  " + S(text));
}

// One field of RFC 4180: quoted when it holds a comma, a quote or a line
// break, its quotes doubled.
std::string CsvField(const QString& value) {
    const std::string v = S(value);
    if (v.find_first_of(",\"\r\n") == std::string::npos)
        return v;
    std::string quoted = "\"";
    for (const char c : v) {
        quoted += c;
        if (c == '"')
            quoted += '"';
    }
    return quoted + '"';
}

std::string CsvLine(const std::vector<QString>& fields) {
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i)
        line += (i ? "," : "") + CsvField(fields[i]);
    return line + "\r\n";
}

int DeleteBefore(MessageStore& store, const Options& o, Io io) {
    const QString day = o.deleteBefore.date().toString(Qt::ISODate);
    const int count = store.CountBefore(o.deleteBefore);
    if (count == 0) {
        io.out << Fill(translate("history", "No message from before %1 to delete"), {S(day)}) << '\n';
        return kExitOk;
    }
    if (!AgreedOnTerminal(
            o.yes,
            Fill(translate("history", "Delete %1 messages from before %2 for good?"),
                 {std::to_string(count), S(day)}),
            translate("history",
                      "not deleted: there is no terminal to ask on; give --yes to agree beforehand"),
            io))
        return kExitRefused;
    const auto deleted = store.DeleteBefore(o.deleteBefore);
    if (!deleted)
        return Report({kExitRefused, ForOutput(deleted.error(), io.errIsTerminal)}, io);
    io.out << Fill(translate("history", "Deleted %1 messages from before %2"),
                   {std::to_string(*deleted), S(day)})
           << '\n';
    return kExitOk;
}

// Every line of `text` after the first moved in by four spaces, as an
// element of an indented array: the same bytes QJsonDocument writes for
// the whole array, one message at a time.
std::string Indented(const QByteArray& text) {
    std::string out = "    ";
    for (qsizetype i = 0; i < text.size(); ++i) {
        out += text[i];
        if (text[i] == '\n' && i + 1 < text.size())
            out += "    ";
    }
    if (!out.empty() && out.back() == '\n')
        out.pop_back();
    return out;
}

} // namespace

int RunHistory(std::vector<std::string> words, Io io) {
    for (const std::string& w : words)
        if (w == "--help" || w == "-h") {
            io.out << HistoryUsage() << RunningStoreUsage();
            return kExitOk;
        }
    std::string why;
    auto options = Parse(words, why);
    if (!options)
        return Report({kExitUsage, "history: " + why}, io, HistoryUsage());

    const CommandApplication app;

    QString path = options->store;
    const bool deleting = options->deleteBefore.isValid();
    // A running program's store is read where this user may read it; what
    // deletes stays with the store the settings name.
    if (path.isEmpty() && !deleting)
        if (const auto running = StoreOfRunning(std::nullopt, options->direct, io))
            path = Q(*running);
    if (path.isEmpty()) {
        const AppPaths paths = CurrentAppPaths();
        Settings settings;
        for (const auto& message : LoadSettings(SettingsSection::Communication, paths.settingsFile, settings))
            io.err << "velmora-cli: " << ForOutput(message, io.errIsTerminal) << '\n';
        path = Q(ChooseMessageStore(paths, SettingsStore(settings)));
    }
    // Reading makes no store: an empty file is not one yet either.
    if (StoreNotMadeYet(path)) {
        if (deleting)
            io.out << Fill(translate("history", "No message from before %1 to delete"),
                           {S(options->deleteBefore.date().toString(Qt::ISODate))})
                   << '\n';
        else if (options->json)
            io.out << "[]\n";
        else if (options->csv)
            io.out << CsvLine({"id", "time", "direction", "number", "name", "state", "reason", "text"});
        else
            io.out << Fill(translate("history", "no messages yet: %1 holds none"),
                           {ForOutput(S(path), io.outIsTerminal)})
                   << '\n';
        return kExitOk;
    }
    auto store =
        MessageStore::Open(path, deleting ? MessageStore::Access::Write : MessageStore::Access::Read);
    if (!store)
        return Report({kExitRefused, ForOutput(store.error(), io.errIsTerminal)}, io);
    if (deleting) {
        if (store.value()->fault() == MessageStore::Fault::Damaged)
            return Report({kExitRefused, ForOutput(S(store.value()->faultText()), io.errIsTerminal)}, io);
        return DeleteBefore(*store.value(), *options, io);
    }

    // A terminal is shown a screenful; a pipe or a file gets them all.
    constexpr int kTerminalLimit = 50;
    HistoryQuery query = options->query;
    const bool cut = !options->limitGiven && io.outIsTerminal && !options->json && !options->csv;
    if (cut)
        query.limit = kTerminalLimit + 1; // one more tells whether there are more
    int shown = 0;
    bool more = false;
    if (options->csv)
        io.out << CsvLine({"id", "time", "direction", "number", "name", "state", "reason", "text"});
    else if (options->json)
        io.out << "[";
    const auto read = store.value()->EachMessage(query, [&](const MessageRecord& m) {
        if (cut && shown == kTerminalLimit) {
            more = true;
            return false;
        }
        ++shown;
        if (options->json) {
            io.out << (shown == 1 ? "\n" : ",\n")
                   << Indented(QJsonDocument(MessageJson(m)).toJson(QJsonDocument::Indented));
        } else if (options->csv) {
            const QDateTime when = Placed(m);
            io.out << CsvLine({QString::number(m.id),
                               when.isValid() ? when.toUTC().toString(Qt::ISODate) : QString(),
                               msg::DirectionName(m.direction), m.number, m.name, msg::StateName(m.state),
                               msg::ReasonName(m.reason), terms::MessageText(m)});
        } else {
            io.out << ForOutput(Line(m), io.outIsTerminal) << '\n';
        }
        return static_cast<bool>(io.out);
    });
    if (options->json)
        io.out << "\n]\n";
    io.out.flush();
    if (!read)
        return Report({kExitRefused, ForOutput(read.error(), io.errIsTerminal)}, io);
    if (more)
        io.err << Fill(translate(
                           "history",
                           "The newest %1 messages are shown; --limit N shows more, and a pipe or a file "
                           "gets them all"),
                       {std::to_string(kTerminalLimit)})
               << '\n';
    if (shown == 0 && !options->json && !options->csv)
        io.out << (options->query.search.isEmpty() && !options->query.state && !options->query.direction &&
                           options->query.number.isEmpty()
                       ? translate("history", "no messages yet")
                       : translate("history", "no messages match"))
               << '\n';
    return kExitOk;
}

} // namespace velmora::cli
