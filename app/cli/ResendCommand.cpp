// "resend ID": a message that failed, or whose fate is not known, sent
// again as a new message that names it. The service decides whether it may
// go; the user agrees first, for it may reach them twice.

#include "CliPhone.h"
#include "Options.h"
#include "PhoneCommands.h"
#include "QtText.h"
#include "Said.h"
#include "Shown.h"
#include "Translations.h"

#include <QCoreApplication>

#include <iostream>
#include <ostream>
#include <unistd.h>

namespace velmora::cli {

namespace {

std::string ResendUsage() {
    return translate("resend",
                     "usage: velmora-cli resend [LINK OPTIONS] [--yes] MESSAGE\n"
                     "Sends a message that failed, or whose fate is not known (uncertain), again as a\n"
                     "new message that names the one it replaces; any message, of a batch or not, by\n"
                     "its number as \"send\", \"history\" and \"queue list\" print it. An uncertain\n"
                     "message may have reached them: the command asks on the terminal first;\n"
                     "without one, --yes agrees beforehand. A message sent again once is not sent\n"
                     "again a second time.\n"
                     "Exit status 0 when every part was sent, 1 when it was refused or not agreed\n"
                     "to or a part was not sent, 3 when the phone could not be reached.\n") +
           LinkOptionsUsage() + StoreOptionUsage();
}

// The words "resend" reads: options anywhere, the message's number once.
constexpr WordRules kResendWords{.optionsAfterPositionals = true, .doubleDashEndsOptions = true};

} // namespace

int RunResend(std::vector<std::string> words, Io io) {
    if (IsHelp(words)) {
        io.out << ResendUsage();
        return kExitOk;
    }
    PhoneTarget target;
    bool yes = false;
    std::optional<qint64> id;
    const CommandLine line(words, PhoneOptions({{"--yes"}, kStore}), kResendWords);
    for (const GivenWord& given : line.given()) {
        std::optional<Failure> failure;
        if (given.option == "--yes") {
            yes = true;
        } else if (given.kind == GivenWord::Positional && !id) {
            bool ok = false;
            const qint64 n = QString::fromStdString(given.word).toLongLong(&ok);
            if (!ok || n <= 0 || given.word.front() == '+')
                failure = Failure{kExitUsage, Fill(translate("resend", "resend: \"%1\" is no message number"),
                                                   {given.word})};
            else
                id = n;
        } else if (!TakeLinkOption(given, target, "resend", failure)) {
            failure =
                Failure{kExitUsage, Fill(translate("resend", "resend: unexpected \"%1\""), {given.word})};
        }
        if (failure)
            return Report(*failure, io, ResendUsage());
    }
    if (!id)
        return Report({kExitUsage, translate("resend", "resend: which message? Give its number")}, io,
                      ResendUsage());

    CliPhone phone(target, io);
    MessageService& service = phone.Service();
    if (!phone.store()) {
        io.err << "velmora-cli: " << Fill(translate("send", "nothing sent: %1"), {S(service.noStoreReason())})
               << '\n';
        return kExitRefused;
    }
    const auto message = phone.store()->Message(*id);
    if (!message)
        return Report(
            {kExitRefused, Fill(translate("queue", "there is no message %1"), {std::to_string(*id)})}, io);
    // Refused before the user is asked, and before the phone is reached.
    if (const auto why = service.whyNotResend(*id))
        return Report({kExitRefused, Fill(translate("resend", "message %1 is not sent again: %2"),
                                          {std::to_string(*id), why->kind == SendRefusal::Store
                                                                    ? S(terms::StoreProblemText(why->store))
                                                                    : LocalizedBytes(why->invalid.text)})},
                      io);
    const std::string who =
        ForOutput(S(message->name.isEmpty() ? message->number : message->number + " (" + message->name + ")"),
                  io.errIsTerminal);
    if (!AgreedOnTerminal(
            yes,
            Fill(message->state == msg::State::Uncertain
                     ? translate("resend", "Message %1 to %2 is %3: it may have reached them. Send it again?")
                     : translate("resend", "Message %1 to %2 is %3. Send it again?"),
                 {std::to_string(*id), who, StateShown(*message)}),
            translate("resend", "not sent: there is no terminal to ask on; give --yes to agree beforehand"),
            io))
        return kExitRefused;
    if (!phone.Connect())
        return kExitUnreachable;
    QObject::connect(&service, &MessageService::messageChanged,
                     [&io, old = *id](qint64 newId, msg::State state, msg::Reason, int) {
                         if (state == msg::State::Sending)
                             io.out << Fill(translate("resend", "Message %1, in place of message %2"),
                                            {std::to_string(newId), std::to_string(old)})
                                    << '\n'
                                    << std::flush;
                     });
    bool all = true;
    QObject::connect(&service, &MessageService::partDone, [&](const PartOutcome& part) {
        io.out << SubmitOutcomeText(part.outcome) << '\n' << std::flush;
        all = all && part.outcome == SubmitOutcome::Sent;
    });
    const auto sent = service.resend(*id);
    if (!sent) {
        io.err << "velmora-cli: "
               << Fill(translate("send", "nothing sent: %1"),
                       {sent.error().kind == SendRefusal::Store
                            ? S(terms::StoreProblemText(sent.error().store))
                            : LocalizedBytes(sent.error().invalid.text)})
               << '\n';
        return kExitRefused;
    }
    if (!phone.session().IsConnected())
        io.err << "velmora-cli: " << phone.Why() << '\n';
    return all ? kExitOk : kExitRefused;
}

} // namespace velmora::cli
