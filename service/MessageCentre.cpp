#include "MessageCentre.h"

#include "PhoneLink.h"
#include "QtText.h"
#include "Translations.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>

namespace velmora {

namespace {

// How long shutting a link down waits for its worker: a submission whose
// PDU is with the phone logs its part as unknown within it.
const int kShutDownMs = 5000;

} // namespace

ModemChannel::ModemChannel(QString name, QObject* parent) : QObject(parent), m_name(std::move(name)) {}

ModemChannel::~ModemChannel() = default;

MessageTransport& ModemChannel::transport() const {
    if (m_linkTransport)
        return *m_linkTransport;
    return *m_sessionTransport;
}

void ModemChannel::build(MessageStore* store, const QString& noStore, const CentreSetup& setup) {
    m_service = std::make_unique<MessageService>(store, transport());
    m_service->setStoreProblem(noStore);
    // Before anyone else listens: what the phone holds is recorded before a
    // program lists it (and so before it can be deleted).
    if (m_linkTransport)
        m_linkTransport->connectService();
    m_outbox = std::make_unique<Outbox>(*m_service, setup.now);
    m_runner = std::make_unique<OutboxRunner>(*m_outbox, setup.scale);
    connect(m_runner.get(), &OutboxRunner::stepped, this, &ModemChannel::stepped);
}

void ModemChannel::followLink(bool on) {
    disconnect(m_follow);
    if (!on || !m_link)
        return;
    m_follow = connect(m_link, &PhoneLink::stateChanged, this,
                       [this](PhoneLink::State state) { linkStateChanged(PhoneLink::IsUp(state)); });
    linkStateChanged(m_link->isUp());
}

void ModemChannel::linkStateChanged(bool up) {
    if (up && !m_runner->running() && !m_stopping) {
        m_runner->start();
        m_runner->poke();
    } else if (!up && m_runner->running()) {
        m_runner->stop();
    }
}

MessageCentre::MessageCentre(CentreSetup setup, QObject* parent)
    : QObject(parent), m_setup(std::move(setup)), m_logs(std::make_unique<LogObserver>(m_setup.paths)) {}

MessageCentre::~MessageCentre() {
    stop(QDeadlineTimer(0));
    // The channels go before the store their services write to.
    m_channels.clear();
}

void MessageCentre::open() {
    if (m_store || !m_noStore.isEmpty())
        return;
    if (m_setup.storePath.isEmpty())
        m_setup.storePath = Q(m_setup.paths.messageStore);
    auto opened = MessageStore::Open(m_setup.storePath);
    if (!opened) {
        m_noStore = Localized(opened.error());
        return;
    }
    // A damaged store is still read, and can be copied, but never written.
    if (opened.value()->fault() != MessageStore::Fault::None) {
        m_noStore = opened.value()->faultText();
        if (m_setup.keepDamaged)
            m_store = std::move(opened.value());
        return;
    }
    m_store = std::move(opened.value());
    if (m_setup.keepDays > 0) {
        const auto gone = m_store->DeleteBefore(QDateTime::currentDateTimeUtc().addDays(-m_setup.keepDays));
        if (!gone)
            emit storeProblem(Q(gone.error()));
    }
    // What a stopped program left sending may have gone: never again by itself.
    if (const auto marked = m_store->MarkInterrupted(); !marked)
        emit storeProblem(Q(marked.error()));
    if (!m_store->IsEmpty())
        return;
    const QString log = Q(m_setup.paths.receivedLog);
    if (m_setup.importAtOnce) {
        emit logImported(m_store->ImportReceivedLog(log));
        return;
    }
    // Up to seconds for a long log: on a thread of its own, through its own
    // connection, while the program is already in use.
    m_import = QThread::create([path = m_store->path(), log] {
        if (auto own = MessageStore::Open(path))
            own.value()->ImportReceivedLog(log);
    });
    m_import->start();
}

ModemChannel& MessageCentre::add(std::unique_ptr<ModemChannel> channel) {
    channel->build(m_store.get(), m_noStore, m_setup);
    m_logs->watch(channel->service());
    connect(&channel->service(), &MessageService::storeProblem, this, &MessageCentre::storeProblem);
    if (m_stopped)
        channel->m_stopping = true;
    m_channels.push_back(std::move(channel));
    return *m_channels.back();
}

ModemChannel& MessageCentre::addLink(PhoneLink& link, const QString& name) {
    auto channel = std::unique_ptr<ModemChannel>(new ModemChannel(name, this));
    channel->m_link = &link;
    channel->m_linkTransport = std::make_unique<LinkTransport>(link);
    return add(std::move(channel));
}

ModemChannel& MessageCentre::addSession(PhoneSession& session, std::function<QString()> device,
                                        const QString& name) {
    auto channel = std::unique_ptr<ModemChannel>(new ModemChannel(name, this));
    channel->m_session = &session;
    channel->m_sessionTransport = std::make_unique<SessionTransport>(session, std::move(device));
    return add(std::move(channel));
}

ModemChannel* MessageCentre::channel(const QString& name) const {
    for (const auto& c : m_channels)
        if (c->name() == name)
            return c.get();
    return nullptr;
}

std::vector<ModemChannel*> MessageCentre::channels() const {
    std::vector<ModemChannel*> all;
    for (const auto& c : m_channels)
        all.push_back(c.get());
    return all;
}

bool MessageCentre::stop(QDeadlineTimer deadline) {
    bool inTime = true;
    if (!m_stopped) {
        m_stopped = true;
        for (const auto& c : m_channels) {
            c->m_stopping = true;
            c->m_runner->stop();
        }
        // The messages on their way end as they would, while there is time.
        const auto busy = [this] {
            return std::any_of(m_channels.begin(), m_channels.end(),
                               [](const auto& c) { return c->link() && c->service().busy(); });
        };
        if (busy() && !deadline.hasExpired()) {
            QEventLoop wait;
            QTimer poll;
            connect(&poll, &QTimer::timeout, &wait, [&] {
                if (!busy() || deadline.hasExpired())
                    wait.quit();
            });
            poll.start(20);
            wait.exec();
        }
        // A part still with the phone is logged as unknown before its link ends.
        for (const auto& c : m_channels)
            if (c->link())
                inTime = c->link()->shutDown(kShutDownMs) && inTime;
        for (const auto& c : m_channels) {
            QCoreApplication::sendPostedEvents(&c->service());
            c->service().stopAll();
        }
    }
    // The import's thread ends before the centre does.
    if (m_import) {
        m_import->wait();
        delete m_import;
        m_import = nullptr;
    }
    return inTime;
}

} // namespace velmora
