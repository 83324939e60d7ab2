#include "PhoneLink.h"

#include "ContactSave.h"
#include "DeviceHolders.h"
#include "ModemIdentity.h"
#include "QtText.h"
#include "StatusReport.h"

#include <QDeadlineTimer>
#include <QMetaObject>
#include <QTimer>

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <unistd.h>

namespace velmora {

struct PhoneLink::Shared {
    // The link while it lives: every signal from the worker's thread is
    // emitted under the lock, and finds no link once the destructor has left
    // the worker behind.
    std::mutex linkMutex;
    PhoneLink* link;
    template <class F> void Say(F&& f) {
        const std::lock_guard<std::mutex> lock(linkMutex);
        if (link)
            f(*link);
    }

    // A stop asked for on the caller's thread; the read on the worker takes
    // it between two exchanges, and the disconnect it came with uses up one
    // that found no read.
    std::atomic<bool> stopRead{false};
    StopRequested StopAsked() {
        return [this] { return stopRead.exchange(false); };
    }

    // The PIN the user answered, waited for by the connect on the worker.
    std::mutex pinMutex;
    bool pinAnswered = false;
    std::optional<QString> pin;
    std::optional<std::string> WaitForPin(std::optional<int> tries);

    // The one copy of the phone book: written on the worker, read anywhere.
    mutable std::mutex phonebookMutex;
    std::vector<PhonebookEntry> phonebook;
    std::vector<PhonebookEntry> Phonebook() const {
        const std::lock_guard<std::mutex> lock(phonebookMutex);
        return phonebook;
    }

    // The clock (the worker's) is cut short for disconnect number `n` only
    // while the worker has not come to it, and given back by the worker when
    // it does, unless the link is ending.
    Clock* clock;
    std::mutex cancelMutex;
    quint64 disconnectsServed = 0;
    bool ending = false;
    void CancelFor(quint64 n) {
        const std::lock_guard<std::mutex> lock(cancelMutex);
        if (disconnectsServed < n)
            clock->Cancel();
    }
    void ServedUpTo(quint64 n) {
        const std::lock_guard<std::mutex> lock(cancelMutex);
        disconnectsServed = std::max(disconnectsServed, n);
        if (!ending)
            clock->Resume();
    }
    void ResumeClock() {
        const std::lock_guard<std::mutex> lock(cancelMutex);
        if (!ending)
            clock->Resume();
    }

    std::atomic<bool> recoveryOn{false};
    std::atomic<bool> recovering{false}; // the worker is pausing or looking for the modem
    mutable std::mutex infoMutex;
    ModemState modemState = ModemState::Away;
    QString imei, device, byId;
    void Noted(ModemState state) {
        const std::lock_guard<std::mutex> lock(infoMutex);
        modemState = state;
    }
    void Noted(const QString& i, const QString& d, const QString& b) {
        const std::lock_guard<std::mutex> lock(infoMutex);
        imei = i;
        device = d;
        byId = b;
    }
};

// Lives on the link's thread: turns the session's events into the link's
// signals, keeps the link's state and owns the 20 s poll timer.
class SessionWorker : public QObject, public SessionEvents {
public:
    SessionWorker(std::shared_ptr<PhoneLink::Shared> shared, std::unique_ptr<SerialLink> port,
                  std::unique_ptr<Clock> clock)
        : m_shared(std::move(shared)), m_port(std::move(port)), m_clock(std::move(clock)),
          m_session(*m_port, *m_clock, *this), m_timer(new QTimer(this)), m_reportTimer(new QTimer(this)),
          m_watchTimer(new QTimer(this)) {
        m_timer->setInterval(20000);
        m_watchTimer->setInterval(2000);
        QObject::connect(m_watchTimer, &QTimer::timeout, this, [this] { Run([this] { Watch(); }); });
        // Reports and new messages come whenever the network sends them: the
        // line is looked at a few times a second while one is awaited or
        // announced (fast dialogue), and not at all else.
        QObject::connect(m_reportTimer, &QTimer::timeout, this,
                         [this] { Run([this] { m_session.ReadUnsolicited(); }); });
        QObject::connect(m_timer, &QTimer::timeout, this, [this] {
            Run([this] {
                Busy(PhoneLink::State::CheckingSignal);
                m_session.SignalTick();
            });
        });
    }

    // The port's watcher thread may be lighting a lamp through the session:
    // close the port (which ends the watcher) before the session goes.
    ~SessionWorker() override {
        try {
            m_port->SetConnected(false);
        } catch (const EComPort&) {
            // released all the same
        }
    }

    // Emits one of the link's signals, while there is a link to hear it.
    template <class Signal, class... Args> void Emit(Signal signal, Args&&... args) {
        m_shared->Say([&](PhoneLink& link) { (link.*signal)(std::forward<Args>(args)...); });
    }
    PhoneLink::Shared& shared() { return *m_shared; }

    // Every request runs to its end and leaves the link idle (connected or
    // not); a cancelled clock (the program is ending) cuts it short.
    template <class F> void Run(F&& f) {
        try {
            f();
            // With recovery on, nothing more is served until the modem the
            // link keeps is back or the link is asked to let it go.
            if (RecoveryDue())
                Recover();
        } catch (const SessionCancelled&) {
            m_timer->stop();
            return;
        } catch (const EComPort& e) {
            // The session guards its exchanges; this is only a last resort.
            Emit(&PhoneLink::problem, ProblemKind::LinkError, Q(e.what()));
        }
        SetState(m_up ? PhoneLink::State::Connected : PhoneLink::State::Disconnected);
        if (!m_session.Listening()) {
            m_reportTimer->stop();
            return;
        }
        // A report is looked for more often than a message that may come.
        const int interval = m_session.AwaitingReports() ? 250 : 500;
        if (!m_reportTimer->isActive() || m_reportTimer->interval() != interval)
            m_reportTimer->start(interval);
    }

    // A request that needs the phone marks the link busy while it runs.
    void Busy(PhoneLink::State what) {
        if (m_up)
            SetState(what);
    }

    void SetState(PhoneLink::State state) {
        if (state == m_state)
            return;
        m_state = state;
        Emit(&PhoneLink::stateChanged, state);
        // While recovering, the modem is Stuck or Away whatever the session
        // goes through.
        if (m_shared->recovering)
            return;
        if (state == PhoneLink::State::Disconnected)
            SetModemState(ModemState::Away);
        else if (state == PhoneLink::State::Connected)
            SetModemState(ModemState::Ready);
        else if (PhoneLink::IsUp(state))
            SetModemState(ModemState::Busy);
    }

    void SetModemState(ModemState state) {
        if (m_modemState == state)
            return;
        m_modemState = state;
        m_shared->Noted(state);
        Emit(&PhoneLink::modemState, state);
    }

    void SetRecovery(bool on) {
        m_recovery = on;
        if (on && m_wanted)
            m_watchTimer->start();
        else if (!on)
            m_watchTimer->stop();
    }
    void SetSearch(const ModemSearch& search) { m_search = search; }
    void SetWatchInterval(int ms) { m_watchTimer->setInterval(ms); }

    // Asked to connect (true) or to disconnect (false): with recovery on,
    // the link keeps the modem from a connect to a disconnect.
    void Want(bool on) {
        m_wanted = on;
        if (!on) {
            m_imei.clear();
            m_device.clear();
            m_byId.clear();
            m_pauseMs = PhoneLink::kFirstPauseMs;
            m_watchTimer->stop();
        } else if (m_recovery) {
            m_watchTimer->start();
        }
    }

    PhoneSession& session() { return m_session; }

    // Connects and tells how it went; a failure has said why (Problem).
    void Connect(int portNumber, int baudRate) {
        m_portNumber = portNumber;
        m_baud = baudRate;
        // The port asked for decides the device again, unless one is open.
        if (!m_session.IsConnected())
            m_port->UseDevice("");
        Want(true);
        const bool connected = m_session.Connect(portNumber, baudRate);
        if (connected)
            Connected();
        else if (m_session.SimStopped()) {
            // What the SIM needs is for a person to give.
            Want(false);
            SetModemState(ModemState::Stuck);
        }
        Emit(&PhoneLink::connectFinished, connected);
        // Asked once the connect is told, so it does not hold that up.
        if (connected)
            m_session.AnnounceNewMessages();
    }

    // Where the modem is now, and who it is, told after every connect.
    void Connected() {
        const std::string& imei = m_session.Identity().IMEI;
        if (!imei.empty())
            m_imei = imei;
        m_device = m_port->DevicePath();
        m_byId = ByIdLinkFor(m_device, m_search.byIdDir.toStdString());
        // A modem opened through its by-id link is reported by its device.
        if (!m_byId.empty() && m_device == m_byId)
            m_device = std::filesystem::weakly_canonical(m_byId).string();
        const QString device = Q(m_device), byId = Q(m_byId);
        m_shared->Noted(Q(imei), device, byId);
        Emit(&PhoneLink::modemIdentity, FromPhone(imei), FromPhone(m_session.Identity().IMSI));
        Emit(&PhoneLink::modemDevice, device, byId);
        Emit(&PhoneLink::modemNetwork, FromPhone(m_session.Identity().Operator));
    }

    void Disconnect() {
        Want(false);
        m_session.Disconnect();
    }

    // The watch timer, with recovery on: a device gone is noticed even while
    // the link is idle, and a modem that missed a deadline is asked "AT"
    // until it answers or counts as stuck.
    void Watch() {
        if (!m_recovery || !m_wanted || !m_session.IsConnected())
            return;
        if (!m_device.empty() && !Exists(m_device)) {
            m_session.Disconnect();
            return;
        }
        if (m_session.MissedInARow() > 0)
            m_session.StillAnswers();
    }

    static bool Exists(const std::string& path) {
        std::error_code ec;
        return std::filesystem::exists(path, ec);
    }

    bool RecoveryDue() const {
        if (!m_recovery || !m_wanted || m_shared->recovering)
            return false;
        return !m_session.IsConnected() || m_session.MissedInARow() >= PhoneLink::kStuckAfter;
    }

    // Closes the modem, then opens it again after each pause, or the device
    // it came back on, until one connects or the link is asked to stop (a
    // cancelled clock, which ends the pause at once).
    void Recover() {
        struct Recovering {
            PhoneLink::Shared& shared;
            explicit Recovering(PhoneLink::Shared& s) : shared(s) { shared.recovering = true; }
            ~Recovering() { shared.recovering = false; }
        } recovering(*m_shared);
        const bool stuck = m_session.IsConnected();
        if (stuck)
            m_session.Disconnect();
        m_timer->stop();
        SetModemState(stuck ? ModemState::Stuck : DeviceThere() ? ModemState::Stuck : ModemState::Away);
        for (;;) {
            PauseOrAppear(m_pauseMs);
            m_pauseMs = std::min(m_pauseMs * 2, PhoneLink::kLongestPauseMs);
            if (Reopen())
                break;
            // A SIM that refused its PIN is not asked again by itself: each
            // try would cost it one. The modem stays closed, Stuck, until a
            // person connects it.
            if (m_session.SimStopped()) {
                Want(false);
                SetModemState(ModemState::Stuck);
                return;
            }
            SetModemState(DeviceThere() ? ModemState::Stuck : ModemState::Away);
        }
        m_pauseMs = PhoneLink::kFirstPauseMs;
        m_shared->recovering = false;
        SetModemState(ModemState::Ready);
        m_session.AnnounceNewMessages();
    }

    // A stuck modem is given its whole pause; one whose device is gone is
    // looked for again as soon as a device appears where it may come back,
    // so a stick plugged back goes on within a moment, whatever the pause
    // had grown to.
    void PauseOrAppear(int ms) {
        if (DeviceThere()) {
            m_clock->Sleep(ms);
            return;
        }
        const std::vector<std::string> before = Seen();
        for (int slept = 0; slept < ms; slept += kLookMs) {
            m_clock->Sleep(std::min(kLookMs, ms - slept));
            if (Seen() != before)
                return;
        }
    }
    static constexpr int kLookMs = 250;

    // The devices recovery would try, each with what it leads to: a by-id
    // link that comes back on another tty reads as changed.
    std::vector<std::string> Seen() const {
        std::vector<std::string> seen = Candidates();
        for (std::string& path : seen) {
            std::error_code ec;
            path += " -> " + std::filesystem::canonical(path, ec).string();
        }
        return seen;
    }

    // Whether the device the modem was last on, or its by-id link, is there.
    bool DeviceThere() const {
        const std::string device = m_device.empty() ? m_port->DevicePath() : m_device;
        // A link with no device file cannot lose it.
        return device.empty() || Exists(device) || (!m_byId.empty() && Exists(m_byId));
    }

    // Where to look: its by-id link and its last device, then (when its IMEI
    // can tell it from others) every device of the search, each device once.
    std::vector<std::string> Candidates() const {
        std::vector<std::string> paths;
        const auto add = [&paths](const std::string& path) {
            if (path.empty() || !Exists(path))
                return;
            for (const std::string& p : paths)
                if (SameDevice(p, path))
                    return;
            paths.push_back(path);
        };
        add(m_byId);
        add(m_device.empty() ? m_port->DevicePath() : m_device);
        // A link with no device file (a test's) is opened as it is.
        if (m_port->DevicePath().empty() && m_device.empty())
            paths.push_back("");
        if (m_imei.empty())
            return paths;
        std::vector<std::string> folders;
        for (const QString& f : m_search.folders)
            folders.push_back(f.toStdString());
        const std::string devDir = m_search.devDir.toStdString();
        for (const std::string& path : ModemCandidates(devDir, folders))
            add(path);
        return paths;
    }

    bool Reopen() {
        for (const std::string& path : Candidates()) {
            // Another program's device is not ours to write to; another
            // link's is locked, and its open fails below.
            if (!DeviceHolders(path, "/proc", ::getpid()).empty())
                continue;
            if (!m_port->UseDevice(path) && path != m_port->DevicePath())
                continue;
            if (!m_imei.empty() && m_session.PeekImei() != m_imei)
                continue;
            if (!m_session.Connect(m_portNumber, m_baud)) {
                if (m_session.SimStopped())
                    return false;
                continue;
            }
            if (!m_imei.empty() && m_session.Identity().IMEI != m_imei) {
                m_session.Disconnect();
                continue;
            }
            Connected();
            return true;
        }
        return false;
    }

    void Status(const std::string& t) override { Emit(&PhoneLink::status, Q(t)); }
    void Monitor(const std::string& t) override { Emit(&PhoneLink::monitor, FromPhone(t)); }
    void StateChanged(SessionState state) override {
        switch (state) {
        case SessionState::PortOpen:
            SetState(PhoneLink::State::Identifying);
            break;
        case SessionState::Connected:
            // Connected is reached when the request that connected ends (Run).
            m_up = true;
            break;
        case SessionState::Disconnected:
            m_up = false;
            SetState(PhoneLink::State::Disconnected);
            break;
        }
    }
    void SignalPolling(bool on) override {
        if (on)
            m_timer->start();
        else
            m_timer->stop();
    }
    // The phone's answer keeps its bytes; the link's and the program's own
    // reasons may hold a UTF-8 path.
    void Problem(ProblemKind kind, const std::string& text) override {
        Emit(&PhoneLink::problem, kind, kind == ProblemKind::PhoneRefused ? FromPhone(text) : Q(text));
    }
    void LineSignalsRead(const LineSignals& s) override {
        Emit(&PhoneLink::lineSignals, s.cts, s.dsr, s.ring, s.rlsd);
    }
    void SignalBar(int bars) override { Emit(&PhoneLink::signalBar, bars); }
    void SignalQuality(const std::string& rssi, const std::string& ber, int bars, int berBar) override {
        Emit(&PhoneLink::signalQuality, FromPhone(rssi), FromPhone(ber), bars, berBar);
    }
    void Identity(const PhoneIdentity& id) override {
        Emit(&PhoneLink::identity, FromPhone(id.Manufacturer), FromPhone(id.Model), FromPhone(id.Revision),
             FromPhone(id.IMSI), FromPhone(id.ServiceCentre));
    }
    void ContactFound(const PhonebookEntry& e) override {
        Emit(&PhoneLink::contactFound, FromPhone(e.name), FromPhone(e.number), FromPhone(e.index));
    }
    void Progress(int done, int total) override { Emit(&PhoneLink::progress, done, total); }
    void Lamp(LedSignal lamp, bool on) override { Emit(&PhoneLink::lamp, lamp, on); }
    void DeliveryReport(int reference, int status) override {
        Emit(&PhoneLink::deliveryReport, reference, status, Q(StatusText(status)));
    }
    void MessageArrived(const StoredMessage& m) override { Emit(&PhoneLink::messageArrived, m); }
    void PartSubmitted(const PartEnded& p) override {
        Emit(&PhoneLink::submitted, message, part, p.outcome, p.reference.value_or(-1), FromPhone(p.answer),
             p.stopped);
    }

    bool reports = false; // asked for by the window
    // The message and part being submitted, for the part's signal.
    qint64 message = 0;
    int part = 0;

private:
    std::shared_ptr<PhoneLink::Shared> m_shared;
    std::unique_ptr<SerialLink> m_port;
    std::unique_ptr<Clock> m_clock;
    PhoneSession m_session;
    QTimer* m_timer;
    QTimer* m_reportTimer;
    QTimer* m_watchTimer; // recovery's look at the device, while a modem is kept
    PhoneLink::State m_state = PhoneLink::State::Disconnected;
    bool m_up = false; // connected and identified
    std::optional<ModemState> m_modemState;
    bool m_recovery = false;
    ModemSearch m_search;
    bool m_wanted = false; // a connect asked for and no disconnect since
    int m_portNumber = 1;
    int m_baud = 19200;
    std::string m_imei;   // of the modem kept; "" while it gave none
    std::string m_device; // where it was last opened
    std::string m_byId;   // that device's by-id link, "" when none
    int m_pauseMs = PhoneLink::kFirstPauseMs;
};

PhoneLink::PhoneLink(std::unique_ptr<SerialLink> port, std::unique_ptr<Clock> clock, QObject* parent)
    : QObject(parent), m_shared(std::make_shared<Shared>()), m_thread(new QThread) {
    m_shared->link = this;
    m_shared->clock = clock.get();
    m_worker = new SessionWorker(m_shared, std::move(port), std::move(clock));
    // Queued across the thread, also where a receiver names them as text.
    qRegisterMetaType<StoredMessage>();
    qRegisterMetaType<QList<StoredMessage>>();
    qRegisterMetaType<PhonebookSurvey>();
    qRegisterMetaType<QList<SimBookOutcome>>();
    qRegisterMetaType<ModemState>();
    // Connected first, so the state is current for every later receiver.
    QObject::connect(this, &PhoneLink::stateChanged, this, [this](State state) { m_state = state; });
    m_worker->session().SetPinSource(
        [shared = m_shared.get()](std::optional<int> tries) { return shared->WaitForPin(tries); });
    m_thread->setObjectName("velmora-phone");
    m_worker->moveToThread(m_thread);
    QObject::connect(m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
    m_thread->start();
}

PhoneLink::~PhoneLink() {
    if (shutDown(kEndMs)) {
        delete m_thread;
        return;
    }
    // Held where no clock reaches it: left behind, never to reach this
    // object again. The thread frees itself once it ends, and the worker
    // (with the port and clock) with it.
    {
        const std::lock_guard<std::mutex> lock(m_shared->linkMutex);
        m_shared->link = nullptr;
    }
    m_thread->setParent(nullptr);
    QObject::connect(m_thread, &QThread::finished, m_thread, &QObject::deleteLater);
    if (m_thread->isFinished())
        delete m_thread; // it ended in the meantime, perhaps before the connection
}

bool PhoneLink::shutDown(int ms) {
    if (m_thread->isFinished())
        return true; // the worker and its clock are gone already
    {
        const std::lock_guard<std::mutex> lock(m_shared->cancelMutex);
        m_shared->ending = true;
        m_shared->clock->Cancel(); // ends a 10 s read at once; the port closes with the worker
    }
    m_thread->quit();
    return m_thread->wait(QDeadlineTimer(ms));
}

ModemState PhoneLink::currentModemState() const {
    const std::lock_guard<std::mutex> lock(m_shared->infoMutex);
    return m_shared->modemState;
}

QString PhoneLink::imei() const {
    const std::lock_guard<std::mutex> lock(m_shared->infoMutex);
    return m_shared->imei;
}

QString PhoneLink::device() const {
    const std::lock_guard<std::mutex> lock(m_shared->infoMutex);
    return m_shared->device;
}

QString PhoneLink::byIdPath() const {
    const std::lock_guard<std::mutex> lock(m_shared->infoMutex);
    return m_shared->byId;
}

namespace {

template <class F> void Post(SessionWorker* worker, F f) {
    QMetaObject::invokeMethod(
        worker, [worker, f = std::move(f)]() mutable { worker->Run([&] { f(*worker); }); },
        Qt::QueuedConnection);
}

} // namespace

void PhoneLink::setDialogue(bool fast) {
    Post(m_worker,
         [fast](SessionWorker& w) { w.session().SetDialogue(fast ? Dialogue::Fast : Dialogue::Classic); });
}

// On the worker: asks the window, then waits in short sleeps, so that the
// program ending (a cancelled clock) ends the wait too. A user who walks
// away for five minutes has given no PIN.
std::optional<std::string> PhoneLink::Shared::WaitForPin(std::optional<int> tries) {
    {
        const std::lock_guard<std::mutex> lock(pinMutex);
        pinAnswered = false;
        pin.reset();
    }
    Say([&](PhoneLink& l) { emit l.pinRequested(tries.value_or(-1)); });
    for (int waited = 0; waited < 300000; waited += 50) {
        {
            const std::lock_guard<std::mutex> lock(pinMutex);
            if (pinAnswered)
                return pin ? std::optional<std::string>(pin->toStdString()) : std::nullopt;
        }
        clock->Sleep(50);
    }
    return std::nullopt;
}

void PhoneLink::answerPin(const std::optional<QString>& pin) {
    const std::lock_guard<std::mutex> lock(m_shared->pinMutex);
    m_shared->pinAnswered = true;
    m_shared->pin = pin;
}

void PhoneLink::setDeliveryReports(bool on) {
    Post(m_worker, [on](SessionWorker& w) { w.reports = on; });
}

void PhoneLink::connectPhone(int portNumber, int baudRate) {
    Post(m_worker, [portNumber, baudRate](SessionWorker& w) {
        w.shared().ResumeClock();
        if (!w.session().IsConnected())
            w.SetState(State::Opening);
        w.Connect(portNumber, baudRate);
    });
}

void PhoneLink::disconnectPhone() {
    m_shared->stopRead = true;
    const quint64 n = ++m_disconnectsAsked;
    if (m_shared->recoveryOn) {
        // A pause or search of recovery holds no message: it ends at once.
        // A stuck modem's exchange is given kGiveUpMs to end by itself; a
        // part whose PDU is with the phone is then reported unknown.
        if (m_shared->recovering)
            m_shared->CancelFor(n);
        QTimer::singleShot(kGiveUpMs, this, [this, n] { m_shared->CancelFor(n); });
    }
    Post(m_worker, [n](SessionWorker& w) {
        w.shared().ServedUpTo(n);
        w.shared().stopRead = false; // served by the read it stopped, or by this disconnect
        w.Disconnect();
        w.Emit(&PhoneLink::disconnectFinished);
    });
}

void PhoneLink::reconnect(int portNumber, int baudRate) {
    // Another port or speed chosen: a recovery in progress is for the old one.
    const quint64 n = ++m_disconnectsAsked;
    if (m_shared->recovering)
        m_shared->CancelFor(n);
    Post(m_worker, [portNumber, baudRate, n](SessionWorker& w) {
        w.shared().ServedUpTo(n);
        w.Disconnect();
        w.SetState(State::Opening);
        w.Connect(portNumber, baudRate);
    });
}

void PhoneLink::setRecovery(bool on) {
    m_shared->recoveryOn = on;
    Post(m_worker, [on](SessionWorker& w) { w.SetRecovery(on); });
}

void PhoneLink::setModemSearch(const ModemSearch& search) {
    Post(m_worker, [search](SessionWorker& w) { w.SetSearch(search); });
}

void PhoneLink::setWatchInterval(int ms) {
    Post(m_worker, [ms](SessionWorker& w) { w.SetWatchInterval(ms); });
}

void PhoneLink::submit(qint64 message, const QStringList& pdus, const QString& destination, bool report) {
    std::vector<std::string> list;
    for (const auto& p : pdus)
        list.push_back(p.toStdString());
    Post(m_worker, [message, list, d = destination.toStdString(), report](SessionWorker& w) mutable {
        w.Busy(State::Sending);
        w.message = message;
        try {
            const auto done = w.session().SubmitMessage(std::move(list), d, w.reports || report,
                                                        [&w](int part) { w.part = part; });
            w.Emit(&PhoneLink::sendFinished, message, done.allSent);
        } catch (const SessionCancelled&) {
            // A disconnect cut a stuck modem short: whoever waits for the
            // message hears of it, its part in flight already reported.
            w.Emit(&PhoneLink::sendFinished, message, false);
            throw;
        }
    });
}

void PhoneLink::readPhonebook(bool readAgain) {
    Post(m_worker, [readAgain](SessionWorker& w) {
        if (readAgain)
            w.session().SetPhoneBookStale();
        if (!w.session().PhoneBookStale() || !w.session().IsConnected()) {
            w.Emit(&PhoneLink::phonebookFinished, false, static_cast<int>(w.shared().Phonebook().size()),
                   false);
            return;
        }
        w.Busy(State::ReadingPhonebook);
        std::vector<PhonebookEntry> read = w.session().ReadPhonebook(w.shared().StopAsked());
        const int count = static_cast<int>(read.size());
        {
            const std::lock_guard<std::mutex> lock(w.shared().phonebookMutex);
            w.shared().phonebook = std::move(read);
        }
        w.Emit(&PhoneLink::phonebookFinished, true, count, w.session().ReadStopped());
    });
}

void PhoneLink::readOperators() {
    Post(m_worker, [](SessionWorker& w) {
        if (!w.session().OperatorListStale() || !w.session().IsConnected()) {
            w.Emit(&PhoneLink::operatorsFinished, false, QStringList());
            return;
        }
        w.Busy(State::ReadingOperators);
        QStringList items;
        for (const auto& op : w.session().GetProvider(w.shared().StopAsked()))
            items << FromPhone(op.item());
        w.Emit(&PhoneLink::operatorsFinished, true, items);
    });
}

void PhoneLink::readInbox() {
    Post(m_worker, [](SessionWorker& w) {
        if (!w.session().IsConnected()) {
            w.Emit(&PhoneLink::inboxFinished, false, QList<StoredMessage>(), false, QStringList());
            return;
        }
        w.Busy(State::ReadingInbox);
        const std::vector<StoredMessage> read = w.session().ReadStoredMessages(w.shared().StopAsked());
        // The phone's reasons keep their bytes.
        QStringList problems;
        for (const std::string& p : w.session().StoreProblems())
            problems << FromPhone(p);
        w.Emit(&PhoneLink::inboxFinished, true, QList<StoredMessage>(read.begin(), read.end()),
               w.session().ReadStopped(), problems);
    });
}

void PhoneLink::deleteStored(const StoredMessage& m) {
    Post(m_worker, [m](SessionWorker& w) {
        const std::string reason = w.session().DeleteStoredMessage(m);
        w.Emit(&PhoneLink::deleteFinished, reason.empty(), Q(reason));
    });
}

void PhoneLink::exportContacts(const QString& path) {
    Post(m_worker, [p = path.toStdString()](SessionWorker& w) {
        const std::vector<PhonebookEntry> entries = w.shared().Phonebook();
        if (entries.empty()) {
            w.Emit(&PhoneLink::exportFinished, false, QString());
            return;
        }
        const ExportResult r = SaveContactExport(p, entries, std::time(nullptr));
        w.Emit(&PhoneLink::status, Q(r.status));
        w.Emit(&PhoneLink::exportFinished, r.ok, Q(r.status));
    });
}

void PhoneLink::surveyPhonebook() {
    Post(m_worker, [](SessionWorker& w) {
        w.Busy(State::WritingPhonebook);
        w.Emit(&PhoneLink::phonebookSurveyed, w.session().SurveyPhonebook());
    });
}

void PhoneLink::writePhonebook(const QList<SimEntry>& entries, bool overwrite) {
    Post(m_worker, [entries, overwrite](SessionWorker& w) {
        w.Busy(State::WritingPhonebook);
        const PhonebookSurvey survey = w.session().SurveyPhonebook();
        QList<SimBookOutcome> outcomes;
        for (const SimEntry& entry : entries) {
            outcomes << w.session().WritePhonebookEntry(survey, entry, overwrite);
            // A link gone ends the rest: each would only say so again.
            if (outcomes.back().problem == SimBookProblem::NotConnected || !survey.ok())
                break;
        }
        w.Emit(&PhoneLink::phonebookWritten, outcomes);
    });
}

void PhoneLink::deletePhonebookEntry(int index) {
    Post(m_worker, [index](SessionWorker& w) {
        w.Busy(State::WritingPhonebook);
        const PhonebookSurvey survey = w.session().SurveyPhonebook();
        w.Emit(&PhoneLink::phonebookWritten,
               QList<SimBookOutcome>{w.session().DeletePhonebookEntry(survey, index)});
    });
}

std::vector<PhonebookEntry> PhoneLink::phonebook() const { return m_shared->Phonebook(); }

void PhoneLink::pollSignal() {
    Post(m_worker, [](SessionWorker& w) {
        w.Busy(State::CheckingSignal);
        w.session().SignalTick();
        w.Emit(&PhoneLink::pollFinished);
    });
}

void PhoneLink::withSession(State busy, SessionWork work) {
    Post(m_worker, [busy, work = std::move(work)](SessionWorker& w) {
        w.Busy(busy);
        // The answer goes back while there is a link to take it.
        if (std::function<void()> done = work(w.session()))
            w.shared().Say([&](PhoneLink& link) {
                QMetaObject::invokeMethod(&link, std::move(done), Qt::QueuedConnection);
            });
    });
}

} // namespace velmora
