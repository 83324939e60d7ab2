#include "PhoneCommands.h"

#include "AppPaths.h"
#include "CliPhone.h"
#include "ContactSave.h"
#include "GlobalU.h"
#include "LinkFactory.h"
#include "Outbox.h"
#include "PhoneSession.h"
#include "Said.h"
#include "StatusReport.h"
#include "TerminalText.h"
#include "Through.h"
#include "Translations.h"

#include <ctime>
#include <map>
#include <memory>
#include <ostream>

namespace velmora::cli {

namespace {

std::string SendUsage() {
    return translate(
               "send",
               "usage: velmora-cli send [LINK OPTIONS] KIND ARGS...\n"
               "KIND and ARGS as for \"velmora-cli pdu\". Prints each part's outcome: \"Message Sent\",\n"
               "\"Fail (1)\" or \"Unknown\"; exit status 0 when every part was sent, 1 when one was not,\n"
               "3 when the phone could not be reached. Interrupted (Ctrl-C, SIGTERM, SIGHUP), it\n"
               "ends the dialogue, logs a part already handed to the phone as unknown and exits\n"
               "with 128 + the signal (130 for Ctrl-C).\n"
               "  --report              ask the network for a delivery report of each part (uses\n"
               "                        the fast dialogue), wait for it and print \"Delivered\" or\n"
               "                        \"Not delivered: REASON\"; exit status 0 when every part\n"
               "                        was delivered, 1 when one was not, 3 when a report did\n"
               "                        not come in time\n"
               "  --report-wait SECONDS how long to wait for the reports (default 60)\n") +
           LinkOptionsUsage() + StoreOptionUsage() + DirectOptionUsage() + QueueOptionsUsage() + ManyUsage();
}

std::string IdentifyUsage() {
    return translate(
               "identify",
               "usage: velmora-cli identify [LINK OPTIONS]\n"
               "Connects and prints what the phone says about itself. On a terminal, control\n"
               "characters and bytes that are not UTF-8 are shown as \\xNN and a backslash as \\\\.\n") +
           LinkOptionsUsage();
}

} // namespace

std::string PhonebookUsage() {
    return translate(
               "phonebook",
               "usage: velmora-cli phonebook [LINK OPTIONS] [--export FILE] [--vcard FILE]\n"
               "       velmora-cli phonebook [LINK OPTIONS] --add NAME NUMBER | --set INDEX NAME NUMBER\n"
               "                             | --delete INDEX | --import FILE [--dry-run] [--yes]\n"
               "Reads the SIM's phone book and prints it as the text export; --export also writes it\n"
               "to FILE, --vcard writes it as vCard 3.0 cards for an address book. On a terminal\n"
               "the entries are shown escaped as by identify; FILE and a pipe get the phone's\n"
               "bytes unchanged.\n") +
           PhonebookWriteUsage() + LinkOptionsUsage();
}

void WaitForReports(CliPhone& phone, int waitSeconds, Io io) {
    PhoneSession& session = phone.session();
    const std::int64_t deadline = phone.clock().NowMs() + std::int64_t{waitSeconds} * 1000;
    while (session.AwaitingReports() && session.IsConnected()) {
        session.ReadUnsolicited();
        if (!session.AwaitingReports() || phone.clock().NowMs() >= deadline)
            break;
        phone.clock().Sleep(50);
    }
    // A report the phone kept but would not give: its part is then among
    // those without one.
    for (const std::string& unread : session.ReportProblems())
        io.err << "velmora-cli: " << ForOutput(unread, io.errIsTerminal) << '\n';
}

namespace {

// Waits for the final report of every part that asked for one, then prints
// one line a part. The exit status: 0 all delivered, 1 one not, 3 one
// missing.
int AwaitReports(CliPhone& phone, const std::vector<std::optional<int>>& references, int waitSeconds, Io io) {
    WaitForReports(phone, waitSeconds, io);
    int code = kExitOk;
    for (const auto& reference : references) {
        const auto found = reference ? phone.reports().find(*reference) : phone.reports().end();
        if (found == phone.reports().end()) {
            io.out << translate("send", "No delivery report") << '\n';
            code = code == kExitOk ? kExitUnreachable : code;
            continue;
        }
        io.out << LocalizedBytes(StatusText(found->second)) << '\n';
        if (!IsDelivered(found->second))
            code = kExitRefused;
    }
    return code;
}

// "send --queue KIND NUMBER ...": the message recorded for an outbox to
// send; no port is opened. Prints its number.
int QueueOne(const std::vector<std::string>& kindWords, const PhoneTarget& target, const ManyOptions& many,
             Io io) {
    auto built = BuildPduJob(kindWords);
    if (auto* f = std::get_if<Failure>(&built))
        return Report(*f, io, SendUsage());
    if (auto running = RunningProgram(target, io))
        return QueueThrough(running, std::get<PduJob>(built), many, io);
    const MessageRequest& request = std::get<PduJob>(built).request;
    auto opened = OpenMessageStore(target.store, true, io);
    if (!opened)
        return Report(
            {kExitRefused,
             ForOutput(Fill(translate("send", "nothing queued: %1"), {opened.error()}), io.errIsTerminal)},
            io);
    const auto queued =
        Outbox::RecordOne(opened.value().get(), request, Q(many.modem.value_or("")), many.pacing.startAt);
    if (!queued) {
        const QueueRefusal& r = queued.error();
        io.err << "velmora-cli: "
               << Fill(translate("send", "nothing queued: %1"),
                       {S(r.kind == QueueRefusal::Store ? terms::StoreProblemText(r.store) : r.why)})
               << '\n';
        return kExitRefused;
    }
    io.out << queued.value() << '\n';
    return kExitOk;
}

} // namespace

int RunSend(std::vector<std::string> words, Io io) {
    if (IsHelp(words)) {
        io.out << SendUsage();
        return kExitOk;
    }
    PhoneTarget target;
    ReportOptions report;
    // The link options and --report stand before the kind; the kind is the
    // first word that is none of them.
    const CommandLine line(words,
                           PhoneOptions({{"--report"},
                                         {"--report-wait", true},
                                         kStore,
                                         {"--to", true},
                                         {"--to-file", true},
                                         {"--number-column", true},
                                         {"--interval", true},
                                         {"--per-hour", true},
                                         {"--at", true},
                                         {"--expire", true},
                                         {"--again"},
                                         {"--dry-run"},
                                         {"--allow-empty"},
                                         {"--unicode", true},
                                         {"--queue"},
                                         {"--modem", true}}),
                           kPhoneWords);
    std::size_t kind = words.size();
    ManyOptions many;
    for (const GivenWord& given : line.given()) {
        std::optional<Failure> failure;
        if (TakeManyOption(given, many, failure)) {
        } else if (given.option == "--queue") {
            many.queue = true;
        } else if (given.option == "--modem") {
            if (given.kind == GivenWord::MissingValue || given.value.empty())
                failure = Failure{kExitUsage, translate("send", "send: --modem needs a modem's name")};
            else
                many.modem = given.value;
        } else if (given.option == "--report") {
            report.wanted = true;
        } else if (given.option == "--report-wait") {
            const auto n = Number(given.value);
            if (given.kind == GivenWord::MissingValue)
                failure =
                    Failure{kExitUsage, translate("send", "send: --report-wait needs a number of seconds")};
            else if (!n || *n < 0 || *n > 86400)
                failure =
                    Failure{kExitUsage, translate("send", "send: --report-wait must be a number of seconds "
                                                          "from 0 to 86400")};
            else
                report.waitSeconds = *n;
        } else if (!TakeLinkOption(given, target, "send", failure)) {
            kind = given.index;
            break;
        }
        if (failure)
            return Report(*failure, io, SendUsage());
    }
    if (many.modem && !many.queue)
        return Report({kExitUsage, translate("send", "send: --modem goes with --queue")}, io, SendUsage());
    if (many.queue && report.wanted)
        return Report(
            {kExitUsage, translate("send", "send: --report waits for what is sent now, not with --queue")},
            io, SendUsage());
    if (many.any())
        return RunSendToMany(target, many, report,
                             {words.begin() + static_cast<std::ptrdiff_t>(kind), words.end()}, io);
    if (many.queue) {
        // One message to go later: only --at of the batch options has a
        // meaning for it.
        ManyOptions rest = many;
        rest.pacing.startAt = QDateTime();
        if (rest.anyBatchOption())
            return Report(
                {kExitUsage, translate("send", "send: of the batch options only --at goes with --queue and "
                                               "one number")},
                io, SendUsage());
        return QueueOne({words.begin() + static_cast<std::ptrdiff_t>(kind), words.end()}, target, many, io);
    }
    if (many.anyBatchOption())
        return Report({kExitUsage, translate("send", "send: the batch options go with --to or --to-file")},
                      io, SendUsage());
    auto built = BuildPduJob({words.begin() + static_cast<std::ptrdiff_t>(kind), words.end()});
    if (auto* f = std::get_if<Failure>(&built))
        return Report(*f, io, SendUsage());
    auto& job = std::get<PduJob>(built);
    // A running program holds the modems: it sends, this command follows.
    if (auto running = RunningProgram(target, io))
        return SendThrough(running, job, report, io);
    if (report.wanted)
        target.fast = true; // only the fast dialogue reads what comes later

    CliPhone phone(target, io);
    MessageService& service = phone.Service();
    // The store takes the message before the phone is even reached: one
    // that cannot record it refuses the send with nothing sent.
    if (!phone.store()) {
        io.err << "velmora-cli: " << Fill(translate("send", "nothing sent: %1"), {S(service.noStoreReason())})
               << '\n';
        return kExitRefused;
    }
    if (const QString why = phone.store()->CheckWritable(); !why.isEmpty()) {
        io.err << "velmora-cli: " << Fill(translate("send", "nothing sent: %1"), {S(why)}) << '\n';
        return kExitRefused;
    }
    if (!phone.Connect())
        return kExitUnreachable;
    phone.transport().SetReports(report.wanted);
    // The message's number first, then each part's outcome as it comes.
    QObject::connect(
        &service, &MessageService::messageChanged, [&io](qint64 id, msg::State state, msg::Reason, int) {
            if (state == msg::State::Sending)
                io.out << Fill(translate("send", "Message %1"), {std::to_string(id)}) << '\n' << std::flush;
        });
    bool all = true;
    std::vector<std::optional<int>> references;
    QObject::connect(&service, &MessageService::partDone, [&](const PartOutcome& part) {
        // Said as it happens, also to a pipe: a program reading along sees
        // each part as the phone answers it.
        io.out << SubmitOutcomeText(part.outcome) << '\n' << std::flush;
        all = all && part.outcome == SubmitOutcome::Sent;
        references.push_back(part.reference);
    });
    const auto sent = service.send(job.request);
    if (!sent) {
        io.err << "velmora-cli: "
               << Fill(translate("send", "nothing sent: %1"),
                       {sent.error().kind == SendRefusal::Store
                            ? S(terms::StoreProblemText(sent.error().store))
                            : LocalizedBytes(sent.error().invalid.text)})
               << '\n';
        return kExitRefused;
    }
    if (phone.transport().ReportsRefused())
        io.err << "velmora-cli: " << translate("send", "no delivery reports: the phone will not pass them on")
               << '\n';
    if (!phone.session().IsConnected())
        io.err << "velmora-cli: " << phone.Why() << '\n';
    if (!all)
        return kExitRefused;
    return report.wanted ? AwaitReports(phone, references, report.waitSeconds, io) : kExitOk;
}

int RunIdentify(std::vector<std::string> words, Io io) {
    if (IsHelp(words)) {
        io.out << IdentifyUsage();
        return kExitOk;
    }
    PhoneTarget target;
    const CommandLine line(words, PhoneOptions(), kPhoneWords);
    for (const GivenWord& given : line.given()) {
        std::optional<Failure> failure;
        if (!TakeLinkOption(given, target, "identify", failure))
            failure =
                Failure{kExitUsage, Fill(translate("identify", "identify: unexpected \"%1\""), {given.word})};
        if (failure)
            return Report(*failure, io, IdentifyUsage());
    }
    CliPhone phone(target, io);
    if (!phone.Connect())
        return kExitUnreachable;
    const PhoneIdentity& id = phone.session().Identity();
    const auto shown = [&](const std::string& field) { return ForOutput(field, io.outIsTerminal); };
    io.out << Fill(translate("identify",
                             "Manufacturer: %1\nModel: %2\nRevision: %3\nIMSI: %4\nService Centre: %5"),
                   {shown(id.Manufacturer), shown(id.Model), shown(id.Revision), shown(id.IMSI),
                    shown(id.ServiceCentre)})
           << '\n';
    return kExitOk;
}

int RunPhonebook(std::vector<std::string> words, Io io) {
    if (IsHelp(words)) {
        io.out << PhonebookUsage();
        return kExitOk;
    }
    if (IsPhonebookWrite(words))
        return RunPhonebookWrite(std::move(words), io);
    PhoneTarget target;
    // --export FILE and --vcard FILE, with the link options before, between
    // or after them.
    std::optional<std::string> exportFile, vcardFile;
    const CommandLine line(words, PhoneOptions({{"--export", true}, {"--vcard", true}}), kPhoneWords);
    for (const GivenWord& given : line.given()) {
        std::optional<Failure> failure;
        if (given.option == "--export" || given.option == "--vcard") {
            if (given.kind == GivenWord::MissingValue)
                failure = Failure{kExitUsage,
                                  Fill(translate("phonebook", "phonebook: %1 needs a file"), {given.option})};
            else
                (given.option == "--export" ? exportFile : vcardFile) = given.value;
        } else if (!TakeLinkOption(given, target, "phonebook", failure)) {
            failure = Failure{kExitUsage,
                              Fill(translate("phonebook", "phonebook: unexpected \"%1\""), {given.word})};
        }
        if (failure)
            return Report(*failure, io, PhonebookUsage());
    }
    CliPhone phone(target, io);
    if (!phone.Connect())
        return kExitUnreachable;
    const auto entries = phone.session().ReadPhonebook();
    if (!phone.session().IsConnected()) {
        io.err << "velmora-cli: " << phone.Why() << '\n';
        return kExitUnreachable;
    }
    // Kept for the names: "send --to Ani" and the history find them there.
    phone.Service().phonebookRead(entries);
    const std::time_t now = std::time(nullptr);
    // The terminal sees the entries escaped; the export file gets them as read.
    std::vector<PhonebookEntry> shown = entries;
    if (io.outIsTerminal)
        for (auto& e : shown)
            for (std::string* field : {&e.index, &e.number, &e.type, &e.name})
                *field = EscapeForTerminal(*field);
    io.out << FormatContactExport(shown, FormatExportStamp(now));
    bool saved = true;
    if (exportFile) {
        const ExportResult r = SaveContactExport(*exportFile, entries, now);
        io.err << ForOutput(LocalizedBytes(r.status), io.errIsTerminal) << '\n';
        saved = r.ok;
    }
    if (vcardFile) {
        const ExportResult r = WriteVCards(*vcardFile, entries);
        io.err << ForOutput(LocalizedBytes(r.status), io.errIsTerminal) << '\n';
        saved = saved && r.ok;
    }
    return saved ? kExitOk : kExitRefused;
}

} // namespace velmora::cli
