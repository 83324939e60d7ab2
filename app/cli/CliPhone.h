#pragma once

// What the commands that talk to the phone share: the link options' help
// and a session connected for one command.

#include "AppPaths.h"
#include "Cli.h"
#include "GlobalU.h"
#include "LinkFactory.h"
#include "LogObserver.h"
#include "MessageCentre.h"
#include "MessageService.h"
#include "MessageStore.h"
#include "Options.h"
#include "PhoneCommands.h"
#include "PhoneSession.h"
#include "QtText.h"
#include "Said.h"
#include "TerminalText.h"
#include "Terms.h"
#include "Transports.h"

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace velmora::cli {

inline std::string LinkOptionsUsage() {
    return translate("cli", "  --device PATH         the device of the port for this run\n"
                            "  --device COMn=PATH    the device of COMn for this run (repeatable)\n"
                            "  --port N              the port COMn to use (default: the settings file's)\n"
                            "  --baud RATE           the line speed (default: the settings file's)\n"
                            "  --fast                the fast dialogue: each command ends at the phone's\n"
                            "                        answer (default: the settings file's Dialogue)\n"
                            "  --pin PIN             the SIM's PIN, should it ask (fast dialogue); else it\n"
                            "                        is asked for on the terminal, once\n");
}

// --store, for the commands that send or read messages.
inline std::string StoreOptionUsage() {
    return translate("cli",
                     "  --store PATH          the message store to record in (default: messages.sqlite\n"
                     "                        beside the logs, or the settings file's [Messages] Store=)\n");
}

// A settings message names its file once: those about the file as a whole
// already start with it.
inline std::string AboutFile(const std::string& path, const std::string& message) {
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
            m_io.err << "velmora-cli: "
                     << Fill(translate("cli", "the phone answered: %1"),
                             {ForOutput(text, m_io.errIsTerminal)})
                     << '\n';
            break;
        case ProblemKind::LinkError:
            // Said once, in the line that reports the failed connect or the
            // lost link (Why).
            m_linkError = text;
            break;
        case ProblemKind::LogFailed:
        case ProblemKind::AnswerTooLong:
            m_io.err << "velmora-cli: " << text << '\n';
            break;
        case ProblemKind::ConnectFailed:
            m_io.err << "velmora-cli: " << m_status << " (" << text << ")\n";
            break;
        }
    }

    void DeliveryReport(int reference, int status) override {
        m_reports[reference] = status;
        if (onReport)
            onReport(reference, status);
    }
    void PartSubmitted(const PartEnded& part) override {
        if (onPart)
            onPart(part);
    }
    // Where the parts and the reports go on to (the message service).
    std::function<void(const PartEnded&)> onPart;
    std::function<void(int, int)> onReport;
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
        m_session = std::make_unique<PhoneSession>(*m_port, m_clock, m_events);
        m_session->SetDialogue(target.fast || settings.FastDialogue ? Dialogue::Fast : Dialogue::Classic);
        m_session->SetPinSource([pin = target.pin](std::optional<int> tries) -> std::optional<std::string> {
            if (pin)
                return pin;
            return ReadSecretFromTerminal(Fill(translate("cli", "SIM PIN%1: "), {PinTriesText(tries)}));
        });
        m_contactFile = paths.contactFile;
        m_err = &io.err;
        m_paths = paths;
        m_storePath = ChooseMessageStore(paths, SettingsStore(settings), target.store.value_or(""));
        m_settings = settings;
        SetHomeCountryCode(Q(settings.CountryCode));
    }
    const Settings& settings() const { return m_settings; }

    // The message centre over this session, opened at the first call, for
    // a command that sends or reads messages: its one channel's service,
    // outbox and transport. Without a store (it cannot be opened, or it is
    // damaged: read by no one here, never written) the service still reads
    // and logs, but sends nothing; the reason is on stderr and in the
    // service's refusals.
    MessageCentre& Centre() {
        if (m_centre)
            return *m_centre;
        CentreSetup setup;
        setup.paths = m_paths;
        setup.storePath = Q(m_storePath);
        setup.keepDays = m_settings.KeepDays;
        setup.importAtOnce = true;
        setup.keepDamaged = false;
        m_centre = std::make_unique<MessageCentre>(std::move(setup));
        // The command's own streams, which outlive this object.
        QObject::connect(m_centre.get(), &MessageCentre::storeProblem,
                         [err = &m_err](const StoreProblem& problem) {
                             **err << "velmora-cli: " << S(terms::StoreProblemText(problem)) << '\n';
                         });
        QObject::connect(m_centre.get(), &MessageCentre::logImported,
                         [this](const ImportReport& r) { SayImported(r); });
        m_centre->open();
        ModemChannel& channel = m_centre->addSession(*m_session, [this] { return Q(m_port->DevicePath()); });
        QObject::connect(&m_centre->logs(), &LogObserver::problem,
                         [err = &m_err](ProblemKind, const QString& text) {
                             **err << "velmora-cli: " << S(text) << '\n';
                         });
        SessionTransport* transport = channel.sessionTransport();
        MessageService* service = &channel.service();
        m_events.onPart = [transport](const PartEnded& part) { transport->PartSubmitted(part); };
        m_events.onReport = [service](int reference, int status) {
            service->deliveryReport(reference, status);
        };
        return *m_centre;
    }
    ModemChannel& Channel() { return *Centre().channel(); }
    MessageService& Service() { return Channel().service(); }
    MessageStore* store() const { return m_centre ? m_centre->store() : nullptr; }
    SessionTransport& transport() { return *Channel().sessionTransport(); }
    const std::string& storePath() const { return m_storePath; }

    // Connects as the window does; a failure has been reported, naming the
    // device and speed tried (ConnectFailed).
    bool Connect() { return m_session->Connect(m_portNumber, m_baud); }

    PhoneSession& session() { return *m_session; }
    Clock& clock() { return m_clock; }
    const std::map<int, int>& reports() const { return m_events.reports(); }
    const std::string& contactFile() const { return m_contactFile; }
    std::string Why() const { return m_events.Why(); }

private:
    // What the first store of this user could not take in of the received log.
    void SayImported(const ImportReport& r) {
        for (const auto& [line, why] : r.bad)
            *m_err << "velmora-cli: "
                   << Fill(translate("cli", "%1:%2: not imported: %3"),
                           {m_paths.receivedLog, std::to_string(line), S(why)})
                   << '\n';
    }

    CliEvents m_events;
    Settings m_settings;
    std::unique_ptr<RealClock> m_ownClock;
    Clock& m_clock;
    int m_portNumber = 1;
    int m_baud = 19200;
    std::unique_ptr<TComPort> m_port;
    std::unique_ptr<PhoneSession> m_session;
    std::string m_contactFile;
    AppPaths m_paths;
    std::string m_storePath;
    std::ostream* m_err = nullptr;
    std::unique_ptr<MessageCentre> m_centre;
};

} // namespace velmora::cli
