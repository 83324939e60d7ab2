#pragma once

// The one message centre of a program: the store, the logs' observer and one
// channel per modem, each with its transport, service, outbox and the
// runner that drives that outbox. The window hands it its PhoneLink, the CLI
// its PhoneSession; a program with several modems adds each with its own
// link. All of it lives on the thread that made the centre; each link
// talks to its modem on a thread of its own.

#include "AppPaths.h"
#include "DaemonConfig.h"
#include "LogObserver.h"
#include "MessageService.h"
#include "MessageStore.h"
#include "Outbox.h"
#include "Transports.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QObject>
#include <QString>
#include <QThread>
#include <QTimer>

#include <functional>
#include <memory>
#include <vector>

namespace velmora {

class Clock;
class PhoneLink;
class PhoneSession;

// How a program opens its centre.
struct CentreSetup {
    AppPaths paths;    // the logs, and the received log the first start takes in
    QString storePath; // the store's file (ChooseMessageStore); "" the one beside the logs
    int keepDays = 0;  // [Messages] KeepDays=: older messages go at the start; 0 keeps all
    // The first start's import of the received log: at once, each line that
    // could not be read told by logImported (a command that waits for it),
    // or on a thread of its own with a connection of its own, so a program
    // that shows something is in use meanwhile.
    bool importAtOnce = false;
    // A store SQLite calls damaged is never written. Kept open, it is still
    // read (shown, copied); let go, the channels work as without a store.
    bool keepDamaged = true;
    // The outboxes' clock (UTC; default the system's), and how much faster
    // than real time it runs, for the runners' timers.
    std::function<QDateTime()> now;
    double scale = 1.0;
    // How often every outbox looks at the store again by itself, for what
    // another program queued (velmora-cli send --queue); 0 never.
    int pollMs = 0;
    // On a store several programs share: how long what this program sends
    // stays its own without a beat ([Store] LeaseSeconds=). It beats a
    // third of that.
    int leaseSeconds = 60;
};

// One modem and everything that sends and reads through it.
class ModemChannel : public QObject {
    Q_OBJECT
public:
    ~ModemChannel() override;

    // "" for the one modem of the window or the CLI.
    const QString& name() const { return m_name; }
    // Its settings, for a modem the centre opened itself (addModem).
    const ModemConfig& config() const { return m_config; }
    PhoneLink* link() const { return m_link; }          // null on a session
    PhoneSession* session() const { return m_session; } // null on a link
    MessageTransport& transport() const;
    LinkTransport* linkTransport() const { return m_linkTransport.get(); }
    SessionTransport* sessionTransport() const { return m_sessionTransport.get(); }
    MessageService& service() const { return *m_service; }
    Outbox& outbox() const { return *m_outbox; }
    OutboxRunner& runner() const { return *m_runner; }

    // Whether the runner follows the link: started when it is up, stopped
    // when it goes down. Off, the program decides when it runs.
    void followLink(bool on);
    // Whether the channel has stopped taking new work (MessageCentre::stop).
    bool stopping() const { return m_stopping; }

signals:
    // The outbox's runner started a message or found nothing due.
    void stepped(const velmora::OutboxStep& step);

private:
    friend class MessageCentre;
    ModemChannel(QString name, QObject* parent);
    void build(MessageStore* store, const StoreProblem& noStore, const CentreSetup& setup);
    void linkStateChanged(bool up);
    // What a modem of the settings does by itself: answers its PIN from its
    // file, reads what the phone holds once connected, and deletes each
    // message from the phone once its record is committed, when asked to.
    void runModem();
    // Writes m_record to the store's modems table.
    void saveModem();
    // Nothing new starts; then the link ends, what was on its way with it.
    void halt();
    bool shutDown(QDeadlineTimer until);

    QString m_name;
    ModemConfig m_config;
    ModemRecord m_record;      // as the store's modems table has it
    bool m_pinGiven = false;   // the PIN file's PIN went to the connect under way
    bool m_pinRefused = false; // a connect failed after it: not given again
    PhoneLink* m_link = nullptr;
    PhoneSession* m_session = nullptr;
    std::unique_ptr<PhoneLink> m_ownLink; // a link the centre opened (addModem)
    std::unique_ptr<LinkTransport> m_linkTransport;
    std::unique_ptr<SessionTransport> m_sessionTransport;
    std::unique_ptr<MessageService> m_service;
    std::unique_ptr<Outbox> m_outbox;
    std::unique_ptr<OutboxRunner> m_runner;
    QMetaObject::Connection m_follow;
    bool m_stopping = false;
    // Away or stuck since it was last ready: its outbox holds its work.
    bool m_wasLost = false;
    QTimer m_busyNote;
    static constexpr int kBusyNoteMs = 2000;
};

class MessageCentre : public QObject {
    Q_OBJECT
public:
    explicit MessageCentre(CentreSetup setup, QObject* parent = nullptr);
    // The daemon's centre: the store its settings name ([Store] Path=, else
    // the one beside the logs) opened, and each of its modems added. It
    // looks at the store every `pollMs` for what other programs queued.
    static std::unique_ptr<MessageCentre> FromConfig(const DaemonConfig& config, const AppPaths& paths,
                                                     int pollMs = 5000);
    // Settings read again: a modem gone from them is stopped as removeModem
    // stops it, one whose settings changed is opened again with them, a new
    // one is added; the others go on untouched. What was on its way has
    // until `deadline`.
    void reload(const DaemonConfig& config, QDeadlineTimer deadline = QDeadlineTimer(0));
    // Stops what is still going (stop() with no time to finish) first.
    ~MessageCentre() override;

    // Opens the store the setup names: deletes what KeepDays lets go,
    // marks what a stopped program left sending uncertain, and takes in
    // the received log when the store is new. What goes wrong comes as
    // storeProblem: connect first. A store that cannot be opened or is
    // damaged leaves the reason in noStoreReason(); nothing is written to
    // a damaged one.
    void open();

    // The store, or null when there is none (or a damaged one let go).
    MessageStore* store() const { return m_store.get(); }
    // Why nothing can be recorded; "" when the store is whole.
    const StoreProblem& noStoreReason() const { return m_noStore; }
    LogObserver& logs() const { return *m_logs; }
    const CentreSetup& setup() const { return m_setup; }

    // The window's one modem, through its link (which stays the caller's
    // and must outlive the centre).
    ModemChannel& addLink(PhoneLink& link, const QString& name = {});
    // The CLI's one modem, through a session the caller drives on this
    // thread; `device` names the device it is on when asked.
    ModemChannel& addSession(PhoneSession& session, std::function<QString()> device,
                             const QString& name = {});
    // A modem of the daemon's settings, on a link of the centre's own in the
    // fast dialogue, connected at once: it reads the phone's messages into
    // the store, and its outbox runs while the link is up. `clock` paces its
    // dialogue (null: real time). Null when a modem of that name is there.
    ModemChannel* addModem(const ModemConfig& config, std::unique_ptr<Clock> clock = nullptr);
    // Stops that modem as stop() stops them all, and lets it go. False when
    // there is none of that name.
    bool removeModem(const QString& name, QDeadlineTimer deadline = QDeadlineTimer(0));

    // The channel of the modem called `name` ("" the program's one modem);
    // null when there is none.
    ModemChannel* channel(const QString& name = {}) const;
    std::vector<ModemChannel*> channels() const;

    // Nothing new starts on any channel; a message on its way has until
    // `deadline` to end as it would, and is then stopped: uncertain when a
    // part may have left, failed when none did. The links are shut down and
    // the log import has ended when this returns. False when something
    // did not end in time.
    bool stop(QDeadlineTimer deadline = QDeadlineTimer(0));
    // Something changed in the store (a batch queued, resumed...): every
    // outbox that is free looks at it now.
    void poke();
    // The program on a shared store that beats with a modem called `name`,
    // other than this one ("" none): the modems of programs sharing one
    // store need names of their own, or their paces and reports mix.
    QString modemElsewhere(const QString& name) const;
    // One heartbeat on a shared store (the timer's): this program and its
    // modems are said to be alive, and what a vanished program was sending
    // becomes uncertain.
    void beat();

signals:
    // The store could not do what was asked (terms::StoreProblemText says it).
    void storeProblem(const velmora::StoreProblem& problem);
    // The received log was taken in at once (CentreSetup::importAtOnce).
    void logImported(const velmora::ImportReport& report);
    // A modem was added (addLink, addSession, addModem, a reload): what
    // follows every channel's service connects to it now.
    void channelAdded(velmora::ModemChannel* channel);

private:
    ModemChannel& add(std::unique_ptr<ModemChannel> channel);
    // Waits while any of `channels` has a message on its way, at most until `deadline`.
    static void WaitForSends(const std::vector<ModemChannel*>& channels, QDeadlineTimer deadline);

    CentreSetup m_setup;
    std::unique_ptr<MessageStore> m_store;
    StoreProblem m_noStore;
    std::unique_ptr<LogObserver> m_logs;
    std::vector<std::unique_ptr<ModemChannel>> m_channels;
    QThread* m_import = nullptr; // taking in the received log, at the first start
    QTimer* m_poll = nullptr;
    QTimer* m_beat = nullptr;
    bool m_stopped = false;
};

} // namespace velmora
