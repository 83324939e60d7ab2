#include "PhoneLink.h"

#include "ContactSave.h"
#include "QtText.h"
#include "StatusReport.h"

#include <QDeadlineTimer>
#include <QMetaObject>
#include <QTimer>

#include <ctime>

namespace velmora {

// Lives on the link's thread: turns the session's events into the link's
// signals, keeps the link's state and owns the 20 s poll timer.
class SessionWorker : public QObject, public SessionEvents {
public:
    SessionWorker(PhoneLink& link, std::unique_ptr<SerialLink> port, std::unique_ptr<Clock> clock)
        : m_link(link), m_port(std::move(port)), m_clock(std::move(clock)),
          m_session(*m_port, *m_clock, *this), m_timer(new QTimer(this)), m_reportTimer(new QTimer(this)) {
        m_timer->setInterval(20000);
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

    // Every request runs to its end and leaves the link idle (connected or
    // not); a cancelled clock (the program is ending) cuts it short.
    template <class F> void Run(F&& f) {
        try {
            f();
        } catch (const SessionCancelled&) {
            m_timer->stop();
            return;
        } catch (const EComPort& e) {
            // The session guards its exchanges; this is only a last resort.
            emit m_link.problem(ProblemKind::LinkError, Q(e.what()));
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
        emit m_link.stateChanged(state);
    }

    PhoneSession& session() { return m_session; }

    // Connects and tells how it went; a failure has said why (Problem).
    void Connect(int portNumber, int baudRate) {
        const bool connected = m_session.Connect(portNumber, baudRate);
        emit m_link.connectFinished(connected);
        // Asked once the connect is told, so it does not hold that up.
        if (connected)
            m_session.AnnounceNewMessages();
    }

    void Status(const std::string& t) override { emit m_link.status(Q(t)); }
    void Monitor(const std::string& t) override { emit m_link.monitor(FromPhone(t)); }
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
        emit m_link.problem(kind, kind == ProblemKind::PhoneRefused ? FromPhone(text) : Q(text));
    }
    void LineSignalsRead(const LineSignals& s) override {
        emit m_link.lineSignals(s.cts, s.dsr, s.ring, s.rlsd);
    }
    void SignalBar(int bars) override { emit m_link.signalBar(bars); }
    void SignalQuality(const std::string& rssi, const std::string& ber, int bars, int berBar) override {
        emit m_link.signalQuality(FromPhone(rssi), FromPhone(ber), bars, berBar);
    }
    void Identity(const PhoneIdentity& id) override {
        emit m_link.identity(FromPhone(id.Manufacturer), FromPhone(id.Model), FromPhone(id.Revision),
                             FromPhone(id.IMSI), FromPhone(id.ServiceCentre));
    }
    void ContactFound(const PhonebookEntry& e) override {
        emit m_link.contactFound(FromPhone(e.name), FromPhone(e.number), FromPhone(e.index));
    }
    void Progress(int done, int total) override { emit m_link.progress(done, total); }
    void Lamp(LedSignal lamp, bool on) override { emit m_link.lamp(lamp, on); }
    void DeliveryReport(int reference, int status) override {
        emit m_link.deliveryReport(reference, status, Q(StatusText(status)));
    }
    void MessageArrived(const StoredMessage& m) override { emit m_link.messageArrived(m); }
    void PartSubmitted(const PartEnded& p) override {
        emit m_link.submitted(message, part, p.outcome, p.reference.value_or(-1), FromPhone(p.answer),
                              p.stopped);
    }

    bool reports = false; // asked for by the window
    // The message and part being submitted, for the part's signal.
    qint64 message = 0;
    int part = 0;

private:
    PhoneLink& m_link;
    std::unique_ptr<SerialLink> m_port;
    std::unique_ptr<Clock> m_clock;
    PhoneSession m_session;
    QTimer* m_timer;
    QTimer* m_reportTimer;
    PhoneLink::State m_state = PhoneLink::State::Disconnected;
    bool m_up = false; // connected and identified
};

PhoneLink::PhoneLink(std::unique_ptr<SerialLink> port, std::unique_ptr<Clock> clock, QObject* parent)
    : QObject(parent), m_clock(clock.get()),
      m_worker(new SessionWorker(*this, std::move(port), std::move(clock))) {
    // Queued across the thread, also where a receiver names them as text.
    qRegisterMetaType<StoredMessage>();
    qRegisterMetaType<QList<StoredMessage>>();
    qRegisterMetaType<PhonebookSurvey>();
    qRegisterMetaType<QList<SimBookOutcome>>();
    // Connected first, so the state is current for every later receiver.
    QObject::connect(this, &PhoneLink::stateChanged, this, [this](State state) { m_state = state; });
    m_worker->session().SetPinSource([this](std::optional<int> tries) { return WaitForPin(tries); });
    m_thread.setObjectName("velmora-phone");
    m_worker->moveToThread(&m_thread);
    QObject::connect(&m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
    m_thread.start();
}

PhoneLink::~PhoneLink() {
    if (!shutDown(10000))
        m_thread.wait();
}

bool PhoneLink::shutDown(int ms) {
    if (m_thread.isFinished())
        return true;   // the worker and its clock are gone already
    m_clock->Cancel(); // ends a 10 s read at once; the port closes with the worker
    m_thread.quit();
    return m_thread.wait(QDeadlineTimer(ms));
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
std::optional<std::string> PhoneLink::WaitForPin(std::optional<int> tries) {
    {
        const std::lock_guard<std::mutex> lock(m_pinMutex);
        m_pinAnswered = false;
        m_pin.reset();
    }
    emit pinRequested(tries.value_or(-1));
    for (int waited = 0; waited < 300000; waited += 50) {
        {
            const std::lock_guard<std::mutex> lock(m_pinMutex);
            if (m_pinAnswered)
                return m_pin ? std::optional<std::string>(m_pin->toStdString()) : std::nullopt;
        }
        m_clock->Sleep(50);
    }
    return std::nullopt;
}

void PhoneLink::answerPin(const std::optional<QString>& pin) {
    const std::lock_guard<std::mutex> lock(m_pinMutex);
    m_pinAnswered = true;
    m_pin = pin;
}

void PhoneLink::setDeliveryReports(bool on) {
    Post(m_worker, [on](SessionWorker& w) { w.reports = on; });
}

void PhoneLink::connectPhone(int portNumber, int baudRate) {
    Post(m_worker, [portNumber, baudRate](SessionWorker& w) {
        if (!w.session().IsConnected())
            w.SetState(State::Opening);
        w.Connect(portNumber, baudRate);
    });
}

void PhoneLink::disconnectPhone() {
    m_stopRead = true;
    Post(m_worker, [this](SessionWorker& w) {
        m_stopRead = false; // served by the read it stopped, or by this disconnect
        w.session().Disconnect();
        emit disconnectFinished();
    });
}

void PhoneLink::reconnect(int portNumber, int baudRate) {
    Post(m_worker, [portNumber, baudRate](SessionWorker& w) {
        w.session().Disconnect();
        w.SetState(State::Opening);
        w.Connect(portNumber, baudRate);
    });
}

void PhoneLink::submit(qint64 message, const QStringList& pdus, const QString& destination) {
    std::vector<std::string> list;
    for (const auto& p : pdus)
        list.push_back(p.toStdString());
    Post(m_worker, [this, message, list, d = destination.toStdString()](SessionWorker& w) mutable {
        w.Busy(State::Sending);
        w.message = message;
        const auto done =
            w.session().SubmitMessage(std::move(list), d, w.reports, [&w](int part) { w.part = part; });
        emit sendFinished(message, done.allSent);
    });
}

void PhoneLink::readPhonebook(bool readAgain) {
    Post(m_worker, [this, readAgain](SessionWorker& w) {
        if (readAgain)
            w.session().SetPhoneBookStale();
        if (!w.session().PhoneBookStale() || !w.session().IsConnected()) {
            emit phonebookFinished(false, static_cast<int>(phonebook().size()), false);
            return;
        }
        w.Busy(State::ReadingPhonebook);
        std::vector<PhonebookEntry> read = w.session().ReadPhonebook(StopAsked());
        const int count = static_cast<int>(read.size());
        {
            const std::lock_guard<std::mutex> lock(m_phonebookMutex);
            m_phonebook = std::move(read);
        }
        emit phonebookFinished(true, count, w.session().ReadStopped());
    });
}

void PhoneLink::readOperators() {
    Post(m_worker, [this](SessionWorker& w) {
        if (!w.session().OperatorListStale() || !w.session().IsConnected()) {
            emit operatorsFinished(false, {});
            return;
        }
        w.Busy(State::ReadingOperators);
        QStringList items;
        for (const auto& op : w.session().GetProvider(StopAsked()))
            items << FromPhone(op.item());
        emit operatorsFinished(true, items);
    });
}

void PhoneLink::readInbox() {
    Post(m_worker, [this](SessionWorker& w) {
        if (!w.session().IsConnected()) {
            emit inboxFinished(false, {}, false, {});
            return;
        }
        w.Busy(State::ReadingInbox);
        const std::vector<StoredMessage> read = w.session().ReadStoredMessages(StopAsked());
        // The phone's reasons keep their bytes.
        QStringList problems;
        for (const std::string& p : w.session().StoreProblems())
            problems << FromPhone(p);
        emit inboxFinished(true, QList<StoredMessage>(read.begin(), read.end()), w.session().ReadStopped(),
                           problems);
    });
}

void PhoneLink::deleteStored(const StoredMessage& m) {
    Post(m_worker, [this, m](SessionWorker& w) {
        const std::string reason = w.session().DeleteStoredMessage(m);
        emit deleteFinished(reason.empty(), Q(reason));
    });
}

void PhoneLink::exportContacts(const QString& path) {
    Post(m_worker, [this, p = path.toStdString()](SessionWorker&) {
        const std::vector<PhonebookEntry> entries = phonebook();
        if (entries.empty()) {
            emit exportFinished(false, QString());
            return;
        }
        const ExportResult r = SaveContactExport(p, entries, std::time(nullptr));
        emit status(Q(r.status));
        emit exportFinished(r.ok, Q(r.status));
    });
}

void PhoneLink::surveyPhonebook() {
    Post(m_worker, [this](SessionWorker& w) {
        w.Busy(State::WritingPhonebook);
        emit phonebookSurveyed(w.session().SurveyPhonebook());
    });
}

void PhoneLink::writePhonebook(const QList<SimEntry>& entries, bool overwrite) {
    Post(m_worker, [this, entries, overwrite](SessionWorker& w) {
        w.Busy(State::WritingPhonebook);
        const PhonebookSurvey survey = w.session().SurveyPhonebook();
        QList<SimBookOutcome> outcomes;
        for (const SimEntry& entry : entries) {
            outcomes << w.session().WritePhonebookEntry(survey, entry, overwrite);
            // A link gone ends the rest: each would only say so again.
            if (outcomes.back().problem == SimBookProblem::NotConnected || !survey.ok())
                break;
        }
        emit phonebookWritten(outcomes);
    });
}

void PhoneLink::deletePhonebookEntry(int index) {
    Post(m_worker, [this, index](SessionWorker& w) {
        w.Busy(State::WritingPhonebook);
        const PhonebookSurvey survey = w.session().SurveyPhonebook();
        emit phonebookWritten({w.session().DeletePhonebookEntry(survey, index)});
    });
}

std::vector<PhonebookEntry> PhoneLink::phonebook() const {
    const std::lock_guard<std::mutex> lock(m_phonebookMutex);
    return m_phonebook;
}

StopRequested PhoneLink::StopAsked() {
    return [this] { return m_stopRead.exchange(false); };
}

void PhoneLink::pollSignal() {
    Post(m_worker, [this](SessionWorker& w) {
        w.Busy(State::CheckingSignal);
        w.session().SignalTick();
        emit pollFinished();
    });
}

void PhoneLink::withSession(State busy, SessionWork work) {
    Post(m_worker, [this, busy, work = std::move(work)](SessionWorker& w) {
        w.Busy(busy);
        // This object outlives the worker, so the answer always has a way back.
        if (std::function<void()> done = work(w.session()))
            QMetaObject::invokeMethod(this, std::move(done), Qt::QueuedConnection);
    });
}

} // namespace velmora
