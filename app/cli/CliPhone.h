#pragma once

// What the commands that talk to the phone share: the link options' help
// and a session connected for one command.

#include "AppPaths.h"
#include "Cli.h"
#include "GlobalU.h"
#include "LinkFactory.h"
#include "LogObserver.h"
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
        m_storePath = ChooseMessageStore(paths, settings.MessageStore, target.store.value_or(""));
        m_settings = settings;
    }
    const Settings& settings() const { return m_settings; }

    // The store, the message service over this session and the logs'
    // observer, for a command that sends or reads messages. Without a store
    // (it cannot be opened) the service still reads and logs, but sends
    // nothing; the reason is on stderr and in the service's refusals.
    MessageService& Messages() {
        if (m_service)
            return *m_service;
        auto opened = MessageStore::Open(Q(m_storePath));
        StoreProblem storeWhy;
        if (!opened)
            storeWhy = {StoreProblem::Reason::Unopened, Q(m_storePath), Q(opened.error())};
        else if (opened.value()->fault() != MessageStore::Fault::None)
            storeWhy = opened.value()->faultProblem(); // damaged: read, never written
        else
            m_store = std::move(opened.value());
        if (m_store && m_settings.KeepDays > 0) {
            const auto gone =
                m_store->DeleteBefore(QDateTime::currentDateTimeUtc().addDays(-m_settings.KeepDays));
            if (!gone)
                *m_err << "velmora-cli: " << gone.error() << '\n';
        }
        m_transport =
            std::make_unique<SessionTransport>(*m_session, [this] { return Q(m_port->DevicePath()); });
        m_service = std::make_unique<MessageService>(m_store.get(), *m_transport);
        m_service->setStoreProblem(storeWhy);
        m_observer = std::make_unique<LogObserver>(*m_service, m_paths);
        // The command's own streams, which outlive this object.
        QObject::connect(m_observer.get(), &LogObserver::problem,
                         [err = &m_err](ProblemKind, const QString& text) {
                             **err << "velmora-cli: " << S(text) << '\n';
                         });
        QObject::connect(m_service.get(), &MessageService::storeProblem,
                         [err = &m_err](const StoreProblem& problem) {
                             **err << "velmora-cli: " << S(terms::StoreProblemText(problem)) << '\n';
                         });
        m_events.onPart = [this](const PartEnded& part) { m_transport->PartSubmitted(part); };
        m_events.onReport = [this](int reference, int status) {
            m_service->deliveryReport(reference, status);
        };
        if (m_store) {
            m_service->recoverInterrupted();
            if (m_store->IsEmpty())
                ImportReceivedLog();
        }
        return *m_service;
    }
    MessageStore* store() const { return m_store.get(); }
    SessionTransport& transport() { return *m_transport; }
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
    // The first store of this user takes in what the received log holds.
    void ImportReceivedLog() {
        const ImportReport r = m_store->ImportReceivedLog(Q(m_paths.receivedLog));
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
    std::unique_ptr<MessageStore> m_store;
    std::unique_ptr<SessionTransport> m_transport;
    std::unique_ptr<MessageService> m_service;
    std::unique_ptr<LogObserver> m_observer;
};

} // namespace velmora::cli
