// "ussd": a USSD code (a balance, a data package) through the phone, and the
// replies the network asks for.

#include "BusValues.h"
#include "CliPhone.h"
#include "Said.h"
#include "Through.h"
#include "Translations.h"
#include "UssdDialogue.h"
#include "UssdRecord.h"
#include "UssdSettings.h"

#include <QCoreApplication>

#include <algorithm>
#include <cerrno>
#include <ostream>
#include <poll.h>
#include <unistd.h>

namespace velmora::cli {

namespace {

// A menu's lines stay lines on a terminal; what else they hold is escaped
// there. An answer with no text prints nothing.
void PrintMenu(const std::string& text, Io io) {
    if (text.empty())
        return;
    std::size_t from = 0;
    while (from <= text.size()) {
        const auto end = std::min(text.find('\n', from), text.size());
        std::string shown = text.substr(from, end - from);
        if (!shown.empty() && shown.back() == '\r')
            shown.pop_back();
        io.out << ForOutput(shown, io.outIsTerminal) << '\n';
        from = end + 1;
    }
}

std::string UssdUsage() {
    return translate("ussd",
                     "usage: velmora-cli ussd [LINK OPTIONS] [--wait SECONDS] CODE [REPLY...]\n"
                     "Sends a USSD code (\"*123#\" for the balance) and prints the network's answer.\n"
                     "When the network asks for more, the next REPLY is sent; with none left, it is\n"
                     "asked for on the terminal (an empty line ends the session). Ctrl-C, or no\n"
                     "answer within the wait, ends the session with the network. Needs the fast\n"
                     "dialogue (--fast, or Dialogue=fast in the settings file).\n"
                     "\n"
                     "  --wait SECONDS    how long to wait for each answer of the network\n"
                     "                    (default 30, at most 600)\n"
                     "\n"
                     "Whether the modem takes requests as text or as packed GSM 7-bit hex is found\n"
                     "out and remembered per modem in the settings file ([USSD Encodings]);\n"
                     "[Communication Port] UssdEncoding=text or packed sets it for every modem.\n"
                     "Each session is kept in the message store (kind \"ussd\"): see history.\n"
                     "\n"
                     "Exit status: 0 when the network answered, 1 when the phone or the network\n"
                     "refused or no answer came, 2 for wrong usage, 3 when the phone was not reached.\n") +
           LinkOptionsUsage() + StoreOptionUsage() + DirectOptionUsage();
}

// A reply typed on the terminal; nothing at an empty line or the end of
// input. Looked at in short slices, so Ctrl-C (a cancelled clock) ends the
// wait too.
std::optional<std::string> AskOnTerminal(const std::string& prompt, Clock& clock, Io io) {
    io.out << prompt << std::flush;
    std::string line;
    for (;;) {
        pollfd p{STDIN_FILENO, POLLIN, 0};
        const int ready = ::poll(&p, 1, 100);
        clock.Sleep(0); // throws once Ctrl-C came
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready < 0)
            return std::nullopt;
        if (ready == 0)
            continue;
        char c = 0;
        if (::read(STDIN_FILENO, &c, 1) != 1 || c == '\n')
            break;
        if (line.size() < 256)
            line += c;
    }
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    if (line.empty())
        return std::nullopt;
    return line;
}

// The words a person reads for how the network or the phone ended a step;
// "" for an answer whose text says it all.
std::string Plainly(const UssdAnswer& a, int waitSeconds) {
    using K = UssdAnswer::Kind;
    switch (a.kind) {
    case K::Done:
    case K::Asks:
        return "";
    case K::EndedByNetwork:
        return translate("ussd", "The network ended the session.");
    case K::OtherClient:
        return translate("ussd", "Another program on the phone took the network's answer.");
    case K::NotSupported:
        return translate("ussd", "The network does not support this code.");
    case K::NetworkTimeout:
        return translate("ussd", "The network's time for the session ran out.");
    case K::Refused:
        return Fill(translate("ussd", "The phone refused the request: %1"), {a.detail});
    case K::NoAnswer:
        return Fill(translate("ussd", "No answer from the network within %1 s; the session was ended."),
                    {std::to_string(waitSeconds)});
    case K::Stopped:
        return translate("ussd", "Stopped; the session was ended.");
    case K::Unreadable:
        return Fill(translate("ussd", "The phone's answer could not be read: %1"), {a.detail});
    case K::BadRequest:
        return Fill(translate("ussd", "Not sent: %1"), {S(Localized(a.detail))});
    case K::NotConnected:
    case K::LinkLost:
    case K::NeedsFast:
        break;
    }
    return translate("ussd", "The phone is not connected.");
}

int ExitFor(UssdAnswer::Kind kind) {
    using K = UssdAnswer::Kind;
    switch (kind) {
    case K::Done:
    case K::Asks:
    case K::EndedByNetwork:
    case K::OtherClient:
        return kExitOk;
    case K::NotConnected:
    case K::LinkLost:
        return kExitUnreachable;
    case K::BadRequest:
        return kExitUsage;
    default:
        return kExitRefused;
    }
}

// The session through the running program that holds the modem: the
// replies are those on the command line (none is asked for on the
// terminal); the lines and the exit status as alone.
int UssdThrough(const Running& running, const std::vector<std::string>& texts, int waitSeconds, Io io) {
    SayThrough(*running, io);
    QStringList asked;
    for (const std::string& t : texts)
        asked << Q(t);
    const auto steps = running->ussd(running.modem, asked, static_cast<uint>(waitSeconds));
    if (!steps)
        return ReportBusFailure(steps.error(), "%1", io);
    UssdAnswer last;
    for (const QJsonValue& step : steps.value()) {
        const QJsonObject s = step.toObject();
        last.kind = api::UssdKindFromName(s.value("kind").toString()).value_or(UssdAnswer::Kind::Unreadable);
        last.text = S(s.value("text").toString());
        last.detail = S(s.value("detail").toString());
        PrintMenu(last.text, io);
        if (const std::string said = Plainly(last, waitSeconds); !said.empty()) {
            if (NetworkAnswered(last.kind))
                io.out << said << '\n';
            else
                io.err << "velmora-cli: " << ForOutput(said, io.errIsTerminal) << '\n';
        }
    }
    if (const auto given = static_cast<std::size_t>(steps.value().size()); given < texts.size()) {
        std::string unsent;
        for (std::size_t i = given; i < texts.size(); ++i)
            unsent += (unsent.empty() ? "\"" : ", \"") + texts[i] + "\"";
        io.err << "velmora-cli: "
               << ForOutput(
                      Fill(translate("ussd", "the session ended before these replies were asked for: %1"),
                           {unsent}),
                      io.errIsTerminal)
               << '\n';
    }
    return ExitFor(last.kind);
}

} // namespace

int RunUssd(std::vector<std::string> words, Io io) {
    if (IsHelp(words)) {
        io.out << UssdUsage();
        return kExitOk;
    }
    PhoneTarget target;
    int waitSeconds = UssdDialogue::kDefaultWaitMs / 1000;
    std::vector<std::string> texts; // the code, then the replies
    const CommandLine line(words, PhoneOptions({{"--wait", true}, kStore}), kPhoneWords);
    for (const GivenWord& given : line.given()) {
        std::optional<Failure> failure;
        if (given.kind == GivenWord::Positional) {
            texts.push_back(given.word);
        } else if (given.option == "--wait") {
            const auto seconds = given.kind == GivenWord::MissingValue ? std::nullopt : Number(given.value);
            if (!seconds || *seconds < 1 || *seconds > 600)
                failure = Failure{kExitUsage, translate("ussd", "ussd: --wait needs seconds from 1 to 600")};
            else
                waitSeconds = *seconds;
        } else if (!TakeLinkOption(given, target, "ussd", failure)) {
            failure = Failure{kExitUsage, Fill(translate("ussd", "ussd: unexpected \"%1\""), {given.word})};
        }
        if (failure)
            return Report(*failure, io, UssdUsage().c_str());
    }
    if (texts.empty())
        return Report(Failure{kExitUsage, translate("ussd", "ussd: the code is missing")}, io,
                      UssdUsage().c_str());

    if (auto running = RunningProgram(target, io))
        return UssdThrough(running, texts, waitSeconds, io);
    CliPhone phone(target, io);
    if (!target.fast && !phone.settings().FastDialogue) {
        io.err << "velmora-cli: "
               << translate(
                      "ussd",
                      "USSD needs the fast dialogue: give --fast, or set Dialogue=fast in the settings file")
               << '\n';
        return kExitUsage;
    }
    MessageService& service = phone.Service();
    if (!phone.store())
        io.err << "velmora-cli: "
               << Fill(translate("ussd", "the session is not kept: %1"), {S(service.noStoreReason())})
               << '\n';
    if (!phone.Connect())
        return kExitUnreachable;

    const std::string settingsFile = CurrentAppPaths().settingsFile;
    const PhoneIdentity& id = phone.session().Identity();
    const std::string modemKey = UssdModemKey(id.Manufacturer, id.Model);
    std::vector<std::string> problems;
    const UssdSettings settings = LoadUssdSettings(settingsFile, modemKey, &problems);
    for (const auto& p : problems)
        io.err << "velmora-cli: " << AboutFile(settingsFile, p) << '\n';

    UssdDialogue dialogue(phone.session(), settings.Wire(), waitSeconds * 1000,
                          settings.forced == UssdWire::Unknown);
    // The service keeps the session in the history and says once, on
    // stderr, when the store will not.
    const int session = service.beginUssd(Q(texts.front()));
    const auto keep = [&](const std::string& text) { service.ussdLine(session, Q(text)); };

    UssdAnswer last;
    std::size_t next = 0;
    try {
        std::optional<std::string> text = texts[next++];
        while (text) {
            keep("> " + *text);
            last = dialogue.Send(*text, {});
            if (dialogue.Learnt() && settings.forced == UssdWire::Unknown && !modemKey.empty())
                if (const auto saved = SaveUssdWire(settingsFile, modemKey, dialogue.Wire()); !saved)
                    io.err << "velmora-cli: " << saved.error() << '\n';
            if (!last.text.empty()) {
                PrintMenu(last.text, io);
                keep(last.text);
            }
            if (const std::string said = Plainly(last, waitSeconds); !said.empty()) {
                if (NetworkAnswered(last.kind))
                    io.out << said << '\n';
                else
                    io.err << "velmora-cli: " << ForOutput(said, io.errIsTerminal) << '\n';
                keep("[" + said + "]");
            }
            text.reset();
            if (last.kind != UssdAnswer::Kind::Asks)
                break;
            if (next < texts.size())
                text = texts[next++];
            else if (io.outIsTerminal && ::isatty(STDIN_FILENO) == 1)
                text = AskOnTerminal(translate("ussd", "Reply (an empty line ends): "), phone.clock(), io);
        }
        // Nothing more to say, or no answer came: the network is told.
        dialogue.End();
    } catch (const SessionCancelled&) {
        dialogue.End(); // only written: the program is ending
        keep("[" + translate("ussd", "Interrupted; the session was ended.") + "]");
        service.endUssd(session, UssdEndingOf(last, true));
        throw;
    }
    if (!phone.session().IsConnected() && !NetworkAnswered(last.kind))
        io.err << "velmora-cli: " << phone.Why() << '\n';
    // Replies given for questions the network never asked are named, so a
    // script does not take them as chosen.
    if (next < texts.size()) {
        std::string unsent;
        for (std::size_t i = next; i < texts.size(); ++i)
            unsent += (unsent.empty() ? "\"" : ", \"") + texts[i] + "\"";
        io.err << "velmora-cli: "
               << ForOutput(
                      Fill(translate("ussd", "the session ended before these replies were asked for: %1"),
                           {unsent}),
                      io.errIsTerminal)
               << '\n';
    }
    service.endUssd(session, UssdEndingOf(last, false));
    return ExitFor(last.kind);
}

} // namespace velmora::cli
