#include "PhoneCommands.h"

#include "AppPaths.h"
#include "ContactSave.h"
#include "GlobalU.h"
#include "LinkFactory.h"
#include "PhoneSession.h"
#include "StatusReport.h"
#include "TerminalText.h"

#include <charconv>
#include <ctime>
#include <map>
#include <memory>
#include <ostream>

namespace velmora::cli {

namespace {

const char* kLinkOptions = "  --device PATH         the device of the port for this run\n"
                           "  --device COMn=PATH    the device of COMn for this run (repeatable)\n"
                           "  --port N              the port COMn to use (default: the settings file's)\n"
                           "  --baud RATE           the line speed (default: the settings file's)\n"
                           "  --fast                the fast dialogue: each command ends at the phone's\n"
                           "                        answer (default: the settings file's Dialogue)\n"
                           "  --pin PIN             the SIM's PIN, should it ask (fast dialogue); else it\n"
                           "                        is asked for on the terminal, once\n";

std::string SendUsage() {
    return std::string(
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
           kLinkOptions;
}

std::string IdentifyUsage() {
    return std::string(
               "usage: velmora-cli identify [LINK OPTIONS]\n"
               "Connects and prints what the phone says about itself. On a terminal, control\n"
               "characters and bytes that are not UTF-8 are shown as \\xNN and a backslash as \\\\.\n") +
           kLinkOptions;
}

std::string PhonebookUsage() {
    return std::string(
               "usage: velmora-cli phonebook [LINK OPTIONS] [--export FILE]\n"
               "Reads the SIM's phone book and prints it as the text export; --export also writes it\n"
               "to FILE. On a terminal the entries are shown escaped as by identify; FILE and a\n"
               "pipe get the phone's bytes unchanged.\n") +
           kLinkOptions;
}

bool IsHelp(const std::vector<std::string>& words) {
    return !words.empty() && (words[0] == "--help" || words[0] == "-h");
}

std::optional<int> Number(const std::string& text) {
    int n = 0;
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (ec != std::errc() || ptr != text.data() + text.size())
        return std::nullopt;
    return n;
}

// A settings message names its file once: those about the file as a whole
// already start with it.
std::string AboutFile(const std::string& path, const std::string& message) {
    if (message.rfind(path + ": ", 0) == 0)
        return message;
    return path + ": " + message;
}

// Says nothing while the dialogue runs but its problems, each a line on
// stderr; keeps what a later failure report needs.
class CliEvents : public SessionEvents {
public:
    explicit CliEvents(Io io) : m_io(io) {}
    void Status(const std::string& text) override { m_status = text; }
    void Problem(ProblemKind kind, const std::string& text) override {
        switch (kind) {
        case ProblemKind::PhoneRefused:
            m_io.err << "velmora-cli: the phone answered: " << ForOutput(text, m_io.errIsTerminal) << '\n';
            break;
        case ProblemKind::LinkError:
            // Said once, in the line that reports the failed connect or the
            // lost link (Why).
            m_linkError = text;
            break;
        case ProblemKind::LogFailed:
            m_io.err << "velmora-cli: " << text << '\n';
            break;
        case ProblemKind::ConnectFailed:
            m_io.err << "velmora-cli: " << m_status << " (" << text << ")\n";
            break;
        }
    }

    void DeliveryReport(int reference, int status) override { m_reports[reference] = status; }
    // The final report of each reference so far, by TP-ST.
    const std::map<int, int>& reports() const { return m_reports; }

    // The platform's reason, unless the status text already gives it.
    std::string Why() const {
        if (m_linkError.empty() || m_status.find(m_linkError) != std::string::npos)
            return m_status;
        return m_status + " (" + m_linkError + ")";
    }

private:
    Io m_io;
    std::string m_status, m_linkError;
    std::map<int, int> m_reports;
};

// A connected session for one command.
class CliPhone {
public:
    CliPhone(const PhoneTarget& target, Io io)
        : m_events(io), m_ownClock(io.clock ? nullptr : std::make_unique<RealClock>()),
          m_clock(io.clock ? *io.clock : *m_ownClock) {
        const AppPaths paths = CurrentAppPaths();
        Settings settings;
        // A broken value falls back to its default; say so rather than
        // quietly talking to another port.
        for (const auto& message : LoadSettings(SettingsSection::Communication, paths.settingsFile, settings))
            io.err << "velmora-cli: " << AboutFile(paths.settingsFile, message) << '\n';
        m_portNumber = target.port.value_or(settings.PortNumber);
        m_baud = target.baud.value_or(settings.BaudRate);
        m_port = MakeComPort(settings, target.devices);
        m_session = std::make_unique<PhoneSession>(*m_port, m_clock, m_events, MakeLogWriter());
        m_session->SetLogPaths(paths.transmitLog, paths.failedLog);
        m_session->SetReceivedLog(paths.receivedLog);
        m_session->SetDialogue(target.fast || settings.FastDialogue ? Dialogue::Fast : Dialogue::Classic);
        m_session->SetPinSource([pin = target.pin](std::optional<int> tries) -> std::optional<std::string> {
            if (pin)
                return pin;
            return ReadSecretFromTerminal("SIM PIN" + PinTriesText(tries) + ": ");
        });
        m_contactFile = paths.contactFile;
    }

    // Connects as the window does; a failure has been reported, naming the
    // device and speed tried (ConnectFailed).
    bool Connect() { return m_session->Connect(m_portNumber, m_baud); }

    PhoneSession& session() { return *m_session; }
    Clock& clock() { return m_clock; }
    const std::map<int, int>& reports() const { return m_events.reports(); }
    const std::string& contactFile() const { return m_contactFile; }
    std::string Why() const { return m_events.Why(); }

private:
    CliEvents m_events;
    std::unique_ptr<RealClock> m_ownClock;
    Clock& m_clock;
    int m_portNumber = 1;
    int m_baud = 19200;
    std::unique_ptr<TComPort> m_port;
    std::unique_ptr<PhoneSession> m_session;
    std::string m_contactFile;
};

} // namespace

std::optional<Failure> TakePhoneOptions(std::vector<std::string>& words, PhoneTarget& target,
                                        const std::string& command) {
    std::size_t i = 0;
    auto value = [&](const std::string& option) -> std::optional<std::string> {
        if (words[i].size() > option.size() && words[i][option.size()] == '=')
            return words[i].substr(option.size() + 1);
        if (words[i] != option || i + 1 >= words.size())
            return std::nullopt;
        return words[++i];
    };
    auto is = [&](const std::string& option) {
        return words[i] == option || words[i].rfind(option + "=", 0) == 0;
    };
    for (; i < words.size() && words[i].rfind("--", 0) == 0; ++i) {
        const std::string word = words[i];
        std::optional<std::string> v;
        if (is("--device")) {
            if (!(v = value("--device")))
                return Failure{kExitUsage, command + ": --device needs a value"};
            if (auto why = ParseDeviceOption(*v, target.devices); !why.empty())
                return Failure{kExitUsage, command + ": --device " + why};
        } else if (is("--port")) {
            if (!(v = value("--port")))
                return Failure{kExitUsage, command + ": --port needs a value"};
            auto n = Number(*v);
            if (!n || *n < 1 || *n > 96)
                return Failure{kExitUsage, command + ": --port must be a number from 1 to 96"};
            target.port = *n;
        } else if (word == "--fast") {
            target.fast = true;
        } else if (is("--pin")) {
            if (!(v = value("--pin")))
                return Failure{kExitUsage, command + ": --pin needs a value"};
            target.pin = *v;
        } else if (is("--baud")) {
            if (!(v = value("--baud")))
                return Failure{kExitUsage, command + ": --baud needs a value"};
            auto n = Number(*v);
            if (!n || *n <= 0)
                return Failure{kExitUsage, command + ": --baud must be a line speed in bit/s"};
            target.baud = *n;
        } else {
            break; // the command's own option
        }
    }
    words.erase(words.begin(), words.begin() + static_cast<std::ptrdiff_t>(i));
    return std::nullopt;
}

namespace {

struct ReportOptions {
    bool wanted = false;
    int waitSeconds = 60;
};

// --report and --report-wait, which may stand among the link options.
std::optional<Failure> TakeReportOptions(std::vector<std::string>& words, PhoneTarget& target,
                                         ReportOptions& report) {
    for (;;) {
        if (auto f = TakePhoneOptions(words, target, "send"))
            return f;
        if (words.empty())
            return std::nullopt;
        std::string wait;
        if (words[0] == "--report") {
            report.wanted = true;
            words.erase(words.begin());
            continue;
        }
        if (words[0] == "--report-wait" && words.size() >= 2) {
            wait = words[1];
            words.erase(words.begin(), words.begin() + 2);
        } else if (words[0].rfind("--report-wait=", 0) == 0) {
            wait = words[0].substr(14);
            words.erase(words.begin());
        } else if (words[0] == "--report-wait") {
            return Failure{kExitUsage, "send: --report-wait needs a number of seconds"};
        } else {
            return std::nullopt;
        }
        const auto n = Number(wait);
        if (!n || *n < 0 || *n > 86400)
            return Failure{kExitUsage, "send: --report-wait must be a number of seconds from 0 to 86400"};
        report.waitSeconds = *n;
    }
}

// Waits for the final report of every part that asked for one, then prints
// one line a part. The exit status: 0 all delivered, 1 one not, 3 one
// missing.
int AwaitReports(CliPhone& phone, const std::vector<std::optional<int>>& references, int waitSeconds, Io io) {
    PhoneSession& session = phone.session();
    const std::int64_t deadline = phone.clock().NowMs() + std::int64_t{waitSeconds} * 1000;
    while (session.AwaitingReports() && session.IsConnected()) {
        session.ReadUnsolicited();
        if (!session.AwaitingReports() || phone.clock().NowMs() >= deadline)
            break;
        phone.clock().Sleep(50);
    }
    int code = kExitOk;
    for (const auto& reference : references) {
        const auto found = reference ? phone.reports().find(*reference) : phone.reports().end();
        if (found == phone.reports().end()) {
            io.out << "No delivery report\n";
            code = code == kExitOk ? kExitUnreachable : code;
            continue;
        }
        io.out << StatusText(found->second) << '\n';
        if (!IsDelivered(found->second))
            code = kExitRefused;
    }
    return code;
}

} // namespace

int RunSend(std::vector<std::string> words, Io io) {
    if (IsHelp(words)) {
        io.out << SendUsage();
        return kExitOk;
    }
    PhoneTarget target;
    ReportOptions report;
    if (auto f = TakeReportOptions(words, target, report))
        return Report(*f, io, SendUsage().c_str());
    auto built = BuildPduJob(std::move(words));
    if (auto* f = std::get_if<Failure>(&built))
        return Report(*f, io, SendUsage().c_str());
    auto& job = std::get<PduJob>(built);
    if (report.wanted)
        target.fast = true; // only the fast dialogue reads what comes later

    CliPhone phone(target, io);
    if (!phone.Connect())
        return kExitUnreachable;
    if (report.wanted && !phone.session().AskForReports(job.pdus))
        io.err << "velmora-cli: no delivery reports: the phone will not pass them on\n";
    bool all = true;
    std::vector<std::optional<int>> references;
    for (const auto& pdu : job.pdus) {
        try {
            const SubmitOutcome outcome = phone.session().SubmitPDU(pdu, job.number);
            io.out << SubmitOutcomeText(outcome) << '\n';
            all = all && outcome == SubmitOutcome::Sent;
            references.push_back(phone.session().LastReference());
        } catch (const SessionCancelled&) {
            // Interrupted: a part already written was logged as unknown.
            if (const auto outcome = phone.session().CancelledOutcome())
                io.out << SubmitOutcomeText(*outcome) << '\n';
            throw;
        }
    }
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
    if (auto f = TakePhoneOptions(words, target, "identify"))
        return Report(*f, io, IdentifyUsage().c_str());
    if (!words.empty())
        return Report({kExitUsage, "identify: unexpected \"" + words[0] + "\""}, io, IdentifyUsage().c_str());
    CliPhone phone(target, io);
    if (!phone.Connect())
        return kExitUnreachable;
    const PhoneIdentity& id = phone.session().Identity();
    const auto shown = [&](const std::string& field) { return ForOutput(field, io.outIsTerminal); };
    io.out << "Manufacturer: " << shown(id.Manufacturer) << "\nModel: " << shown(id.Model)
           << "\nRevision: " << shown(id.Revision) << "\nIMSI: " << shown(id.IMSI)
           << "\nService Centre: " << shown(id.ServiceCentre) << '\n';
    return kExitOk;
}

int RunPhonebook(std::vector<std::string> words, Io io) {
    if (IsHelp(words)) {
        io.out << PhonebookUsage();
        return kExitOk;
    }
    PhoneTarget target;
    if (auto f = TakePhoneOptions(words, target, "phonebook"))
        return Report(*f, io, PhonebookUsage().c_str());
    std::optional<std::string> exportFile;
    if (!words.empty() && (words[0] == "--export" || words[0].rfind("--export=", 0) == 0)) {
        if (words[0] != "--export")
            exportFile = words[0].substr(9);
        else if (words.size() >= 2)
            exportFile = words[1];
        else
            return Report({kExitUsage, "phonebook: --export needs a file"}, io, PhonebookUsage().c_str());
        words.erase(words.begin(), words.begin() + (words[0] == "--export" ? 2 : 1));
        // The link options may also follow --export.
        if (auto f = TakePhoneOptions(words, target, "phonebook"))
            return Report(*f, io, PhonebookUsage().c_str());
    }
    if (!words.empty())
        return Report({kExitUsage, "phonebook: unexpected \"" + words[0] + "\""}, io,
                      PhonebookUsage().c_str());
    CliPhone phone(target, io);
    if (!phone.Connect())
        return kExitUnreachable;
    const auto entries = phone.session().ReadPhonebook();
    if (!phone.session().IsConnected()) {
        io.err << "velmora-cli: " << phone.Why() << '\n';
        return kExitUnreachable;
    }
    const std::time_t now = std::time(nullptr);
    // The terminal sees the entries escaped; the export file gets them as read.
    std::vector<PhonebookEntry> shown = entries;
    if (io.outIsTerminal)
        for (auto& e : shown)
            for (std::string* field : {&e.index, &e.number, &e.type, &e.name})
                *field = EscapeForTerminal(*field);
    io.out << FormatContactExport(shown, FormatExportStamp(now));
    if (!exportFile)
        return kExitOk;
    const ExportResult r = SaveContactExport(*exportFile, entries, now);
    io.err << r.status << '\n';
    return r.ok ? kExitOk : kExitRefused;
}

} // namespace velmora::cli
