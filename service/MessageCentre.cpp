#include "MessageCentre.h"

#include "ComPort.h"
#include "FileIo.h"
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
// A link ends a stuck modem's wait within three seconds of being asked.
const int kLinkEndMs = 3000;
// A PIN file holds a few digits; anything longer is not one.
const std::size_t kPinFileLimit = 64;

// The PIN in `file`, without the blanks and line end around it; nothing
// when it cannot be read or holds something that is no PIN.
std::optional<QString> PinFrom(const QString& file) {
    const auto read = ReadFilePrefix(file.toStdString(), kPinFileLimit);
    if (!read || read->truncated)
        return std::nullopt;
    const QString pin = QString::fromLatin1(read->bytes).trimmed();
    if (pin.isEmpty() || pin.size() > 16)
        return std::nullopt;
    for (const QChar c : pin)
        if (!c.isDigit())
            return std::nullopt;
    return pin;
}

} // namespace

ModemChannel::ModemChannel(QString name, QObject* parent) : QObject(parent), m_name(std::move(name)) {}

ModemChannel::~ModemChannel() = default;

MessageTransport& ModemChannel::transport() const {
    if (m_linkTransport)
        return *m_linkTransport;
    return *m_sessionTransport;
}

void ModemChannel::build(MessageStore* store, const StoreProblem& noStore, const CentreSetup& setup) {
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

// The store's word for a modem's state.
static QString StateName(ModemState state) {
    switch (state) {
    case ModemState::Ready:
        return QStringLiteral("ready");
    case ModemState::Busy:
        return QStringLiteral("busy");
    case ModemState::Away:
        return QStringLiteral("away");
    case ModemState::Stuck:
        return QStringLiteral("stuck");
    }
    return {};
}

void ModemChannel::saveModem() {
    MessageStore* store = m_service->store();
    if (!store || store->fault() != MessageStore::Fault::None)
        return;
    m_record.lastSeen = QDateTime::currentDateTimeUtc();
    if (const auto saved = store->SaveModem(m_record); !saved)
        emit m_service->storeProblem(store->ProblemFor(saved.error()));
}

void ModemChannel::runModem() {
    PhoneLink* link = m_link;
    m_linkTransport->setName(m_name);
    m_outbox->setModemPacing(m_config.intervalMs, m_config.perHour);
    m_outbox->setModemRecovers(true);
    // Who the modem is and how it stands, in the store's modems table as it
    // changes, for whoever watches the box.
    m_record.name = m_name;
    m_record.device = m_config.device;
    m_record.state = StateName(ModemState::Away);
    saveModem();
    connect(link, &PhoneLink::modemIdentity, this, [this](const QString& imei, const QString& imsi) {
        m_record.imei = imei;
        m_record.imsi = imsi;
        saveModem();
    });
    connect(link, &PhoneLink::modemDevice, this, [this](const QString& device, const QString& byId) {
        m_linkTransport->setDevice(device);
        m_record.device = device;
        m_record.byIdPath = byId;
        saveModem();
    });
    connect(link, &PhoneLink::modemNetwork, this, [this](const QString& name) {
        m_record.operatorName = name;
        saveModem();
    });
    // A modem is busy for a moment at every poll of its signal: written
    // each time, an idle daemon would write its store every few seconds
    // (an SD card's wear). Busy is kept only once it lasts.
    m_busyNote.setSingleShot(true);
    m_busyNote.setInterval(kBusyNoteMs);
    connect(&m_busyNote, &QTimer::timeout, this, [this] {
        m_record.state = StateName(ModemState::Busy);
        saveModem();
    });
    connect(link, &PhoneLink::modemState, this, [this](ModemState state) {
        // Opened again after it went away or stuck: it may be given work.
        if (state == ModemState::Away || state == ModemState::Stuck) {
            m_wasLost = true;
        } else if (state == ModemState::Ready && m_wasLost) {
            m_wasLost = false;
            m_outbox->modemBack();
            m_runner->poke();
        }
        if (state == ModemState::Busy) {
            if (m_record.state != StateName(state) && !m_busyNote.isActive())
                m_busyNote.start();
            return;
        }
        m_busyNote.stop();
        if (m_record.state == StateName(state))
            return;
        m_record.state = StateName(state);
        saveModem();
    });
    connect(link, &PhoneLink::identity, this,
            [this](const QString&, const QString&, const QString&, const QString& imsi, const QString&) {
                if (imsi.isEmpty() || imsi == m_record.imsi)
                    return;
                m_record.imsi = imsi;
                saveModem();
            });
    const QString pinFile = m_config.pinFile;
    // The link opens a lost modem again by itself: a PIN the SIM refused is
    // not tried again, or three tries would lock the SIM for its PUK.
    connect(link, &PhoneLink::pinRequested, this, [this, link, pinFile](int) {
        if (m_pinRefused || pinFile.isEmpty()) {
            link->answerPin(std::nullopt);
            return;
        }
        const auto pin = PinFrom(pinFile);
        m_pinGiven = pin.has_value();
        link->answerPin(pin);
    });
    // What came while no one listened is read, and kept, at once.
    connect(link, &PhoneLink::connectFinished, this, [this, link](bool ok) {
        m_pinRefused = m_pinRefused || (!ok && m_pinGiven);
        m_pinGiven = false;
        if (ok) {
            link->readInbox();
            link->pollSignal(); // the table has a strength from the start
        }
    });
    // "[17]": RSSI 0..31, 99 when the phone does not know.
    connect(link, &PhoneLink::signalQuality, this, [this](const QString& rssiLabel) {
        bool number = false;
        const int rssi = QString(rssiLabel).remove(QLatin1Char('[')).remove(QLatin1Char(']')).toInt(&number);
        const int signal = number && rssi >= 0 && rssi <= 31 ? rssi : -1;
        if (signal == m_record.signal)
            return;
        m_record.signal = signal;
        saveModem();
    });
    if (m_config.deleteAfterStore)
        // pduReceived names a message only once its record is committed.
        connect(m_service.get(), &MessageService::pduReceived, this,
                [this](qint64 id, const StoredMessage& stored, bool) {
                    // The service's own rule stands behind the id: nothing
                    // is deleted that the store does not hold.
                    if (id > 0 && stored.status <= 1) // received, read or not
                        m_service->deleteStored(stored);
                });
    // A modem that hangs or comes back under another name is found again.
    link->setRecovery(true);
    followLink(true);
}

void ModemChannel::halt() {
    m_stopping = true;
    m_runner->stop();
}

bool ModemChannel::shutDown(QDeadlineTimer until) {
    // A part still with the phone is logged as unknown before its link ends.
    const bool ended =
        !m_link || m_link->shutDown(static_cast<int>(std::max<qint64>(0, until.remainingTime())));
    QCoreApplication::sendPostedEvents(m_service.get());
    m_service->stopAll();
    // No program holds it now: whoever lists the modems is not told it is
    // ready to take messages.
    if (m_ownLink) {
        QObject::disconnect(m_ownLink.get(), nullptr, this, nullptr);
        m_busyNote.stop();
        m_record.state = StateName(ModemState::Away);
        saveModem();
    }
    return ended;
}

MessageCentre::MessageCentre(CentreSetup setup, QObject* parent)
    : QObject(parent), m_setup(std::move(setup)), m_logs(std::make_unique<LogObserver>(m_setup.paths)) {
    if (m_setup.pollMs > 0) {
        m_poll = new QTimer(this);
        connect(m_poll, &QTimer::timeout, this, &MessageCentre::poke);
        m_poll->start(m_setup.pollMs);
    }
}

std::unique_ptr<MessageCentre> MessageCentre::FromConfig(const DaemonConfig& config, const AppPaths& paths,
                                                         int pollMs) {
    CentreSetup setup;
    setup.paths = paths;
    setup.storePath = config.storeLocation();
    setup.leaseSeconds = config.leaseSeconds;
    setup.pollMs = pollMs;
    auto centre = std::make_unique<MessageCentre>(std::move(setup));
    centre->open();
    centre->reload(config);
    return centre;
}

void MessageCentre::reload(const DaemonConfig& config, QDeadlineTimer deadline) {
    std::vector<QString> leaving;
    for (const auto& c : m_channels) {
        const auto same = std::find_if(config.modems.begin(), config.modems.end(),
                                       [&](const ModemConfig& m) { return m.name == c->name(); });
        // Only the modems of the settings: the window's or the CLI's one stays.
        if (c->m_ownLink && (same == config.modems.end() || !(*same == c->config())))
            leaving.push_back(c->name());
    }
    for (const QString& name : leaving)
        removeModem(name, deadline);
    for (const ModemConfig& m : config.modems)
        if (!channel(m.name))
            addModem(m);
}

MessageCentre::~MessageCentre() {
    stop(QDeadlineTimer(0));
    // The channels go before the store their services write to.
    m_channels.clear();
}

void MessageCentre::open() {
    if (m_store || !m_noStore.isNull())
        return;
    if (m_setup.storePath.isEmpty())
        m_setup.storePath = Q(m_setup.paths.messageStore);
    auto opened = MessageStore::Open(m_setup.storePath);
    if (!opened) {
        m_noStore = {StoreProblem::Reason::Unopened, m_setup.storePath, Localized(opened.error())};
        return;
    }
    // A damaged store is still read, and can be copied, but never written.
    if (opened.value()->fault() != MessageStore::Fault::None) {
        m_noStore = opened.value()->faultProblem();
        if (m_setup.keepDamaged)
            m_store = std::move(opened.value());
        return;
    }
    m_store = std::move(opened.value());
    if (m_setup.keepDays > 0) {
        const auto gone = m_store->DeleteBefore(QDateTime::currentDateTimeUtc().addDays(-m_setup.keepDays));
        if (!gone)
            emit storeProblem(m_store->ProblemFor(gone.error()));
    }
    // What a stopped program left sending may have gone: never again by itself.
    if (const auto marked = m_store->MarkInterrupted(); !marked)
        emit storeProblem(m_store->ProblemFor(marked.error()));
    m_store->SetLeaseSeconds(m_setup.leaseSeconds);
    // On a shared store the others learn from its beats that this program
    // is alive, and it learns from theirs who is not.
    if (m_store->shared()) {
        m_beat = new QTimer(this);
        connect(m_beat, &QTimer::timeout, this, &MessageCentre::beat);
        m_beat->start(std::max(1, m_setup.leaseSeconds / 3) * 1000);
        beat();
    }
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
    // What one outbox started or queued may be for another that is free.
    connect(&channel->outbox(), &Outbox::batchChanged, this, [this, c = channel.get()] {
        for (const auto& other : m_channels)
            if (other.get() != c && other->runner().running() && !other->service().busy())
                other->runner().poke();
    });
    m_channels.push_back(std::move(channel));
    emit channelAdded(m_channels.back().get());
    return *m_channels.back();
}

ModemChannel* MessageCentre::addModem(const ModemConfig& config, std::unique_ptr<Clock> clock) {
    if (channel(config.name))
        return nullptr;
    if (!clock)
        clock = std::make_unique<RealClock>();
    // The device the settings name, whatever COMn the link asks for.
    auto port = std::make_unique<TComPort>([device = config.device.toStdString()](int) { return device; });
    auto own = std::make_unique<PhoneLink>(std::move(port), std::move(clock));
    own->setDialogue(true);
    auto made = std::unique_ptr<ModemChannel>(new ModemChannel(config.name, this));
    made->m_config = config;
    made->m_link = own.get();
    made->m_ownLink = std::move(own);
    made->m_linkTransport = std::make_unique<LinkTransport>(*made->m_link);
    made->m_linkTransport->setDevice(config.device);
    ModemChannel& added = add(std::move(made));
    added.runModem();
    if (!added.stopping())
        added.link()->connectPhone(1, config.speed);
    return &added;
}

bool MessageCentre::removeModem(const QString& name, QDeadlineTimer deadline) {
    const auto it =
        std::find_if(m_channels.begin(), m_channels.end(), [&](const auto& c) { return c->name() == name; });
    if (it == m_channels.end())
        return false;
    ModemChannel* c = it->get();
    c->halt();
    WaitForSends({c}, deadline);
    c->shutDown(QDeadlineTimer(kShutDownMs));
    // Found again: the wait may have let another modem come or go.
    m_channels.erase(std::find_if(m_channels.begin(), m_channels.end(),
                                  [c](const auto& held) { return held.get() == c; }));
    return true;
}

void MessageCentre::poke() {
    for (const auto& c : m_channels)
        if (c->runner().running() && !c->service().busy())
            c->runner().poke();
}

void MessageCentre::WaitForSends(const std::vector<ModemChannel*>& channels, QDeadlineTimer deadline) {
    const auto busy = [&channels] {
        return std::any_of(channels.begin(), channels.end(),
                           [](const ModemChannel* c) { return c->link() && c->service().busy(); });
    };
    if (!busy() || deadline.hasExpired())
        return;
    QEventLoop wait;
    QTimer poll;
    connect(&poll, &QTimer::timeout, &wait, [&] {
        if (!busy() || deadline.hasExpired())
            wait.quit();
    });
    poll.start(20);
    wait.exec();
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

QString MessageCentre::modemElsewhere(const QString& name) const {
    if (!m_store || !m_store->shared())
        return {};
    const auto instances = m_store->Instances();
    if (!instances)
        return {};
    for (const InstanceRecord& i : *instances)
        if (i.id != m_store->InstanceId() && i.alive && i.modems.contains(name))
            return i.id;
    return {};
}

void MessageCentre::beat() {
    if (!m_store || !m_store->shared())
        return;
    QStringList modems;
    for (ModemChannel* c : channels())
        modems << c->name();
    if (const auto beaten = m_store->Beat(modems); !beaten)
        emit storeProblem(m_store->ProblemFor(beaten.error()));
    if (const auto expired = m_store->ExpireLeases(); !expired)
        emit storeProblem(m_store->ProblemFor(expired.error()));
}

bool MessageCentre::stop(QDeadlineTimer deadline) {
    bool inTime = true;
    if (!m_stopped) {
        m_stopped = true;
        if (m_poll)
            m_poll->stop();
        if (m_beat)
            m_beat->stop();
        for (ModemChannel* c : channels())
            c->halt();
        // The messages on their way end as they would, while there is time.
        WaitForSends(channels(), deadline);
        // Every link is asked to end before any is waited for: several stuck
        // modems take as long as one, not one after another.
        for (ModemChannel* c : channels())
            if (PhoneLink* link = c->link())
                link->shutDown(0);
        // What is left of the caller's time, but never less than a link
        // needs to end a stuck modem's wait.
        const QDeadlineTimer ends(std::clamp<qint64>(deadline.remainingTime(), kLinkEndMs, kShutDownMs));
        for (ModemChannel* c : channels())
            inTime = c->shutDown(ends) && inTime;
        // What it was sending has ended or is uncertain: nothing of it is
        // left for the leases to find.
        if (m_store && m_store->shared())
            m_store->Leave();
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
