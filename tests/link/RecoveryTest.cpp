// A link with recovery on keeps its modem: one that stops answering is
// closed and opened again after growing pauses, one that is pulled out is
// found again by its IMEI wherever it comes back, and a stuck modem never
// holds up a disconnect or the link's end.

#include "ComDevices.h"
#include "ComPort.h"
#include "DeviceHolders.h"
#include "FakeClock.h"
#include "LinkFactory.h"
#include "PhoneLink.h"
#include "ScriptedPort.h"
#include "SimPhone.h"
#include "TestNames.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <filesystem>
#include <functional>
#include <mutex>

#include <csignal>
#include <fcntl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

namespace velmora::testing {
namespace {

QCoreApplication& App() {
    static int argc = 1;
    static char name[] = "link_recovery_tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

bool WaitFor(QSignalSpy& spy, int count = 1, int ms = 10000) {
    QElapsedTimer t;
    t.start();
    while (spy.count() < count && t.elapsed() < ms)
        spy.wait(20);
    return spy.count() >= count;
}

std::vector<ModemState> States(const QSignalSpy& spy) {
    std::vector<ModemState> states;
    for (const auto& s : spy)
        states.push_back(s[0].value<ModemState>());
    return states;
}

// Waits until the link says `state` of its modem after what `from` had
// seen; `from` then counts that word too.
bool WaitForState(QSignalSpy& spy, ModemState state, int& from, int ms = 10000) {
    QElapsedTimer t;
    t.start();
    for (;;) {
        for (; from < spy.count(); ++from)
            if (spy[from][0].value<ModemState>() == state) {
                ++from;
                return true;
            }
        if (t.elapsed() >= ms)
            return false;
        spy.wait(20);
    }
}

const std::string kImei = "862012034567893";
using Chunks = ScriptedPort::Answer;

template <class F> bool WaitUntil(F f, int ms = 5000) {
    QElapsedTimer t;
    t.start();
    while (!f()) {
        if (t.elapsed() >= ms)
            return false;
        QTest::qWait(10);
    }
    return true;
}

class RecordingEventsStub : public SessionEvents {};

// A scripted modem that can be struck dumb: it takes every byte and answers
// none, as a hung modem does.
class HangingPort : public ScriptedPort {
public:
    using ScriptedPort::ScriptedPort;
    std::atomic<bool> hung{false};
    int SendText(const std::string& bytes) override {
        if (hung)
            return static_cast<int>(bytes.size());
        return ScriptedPort::SendText(bytes);
    }
};

// Counts the pauses between two attempts (no exchange of the fast dialogue
// sleeps a second at once) and wakes the modem after the `wakeAfter`th.
class PauseClock : public FakeClock {
public:
    void Sleep(int ms) override {
        if (ms >= 1000) {
            std::lock_guard lock(mutex);
            pauses.push_back(ms);
            if (static_cast<int>(pauses.size()) == wakeAfter && port) {
                port->hung = false;
                if (onWake)
                    onWake();
            }
        }
        FakeClock::Sleep(ms);
    }
    std::vector<int> Pauses() {
        std::lock_guard lock(mutex);
        return pauses;
    }
    std::mutex mutex;
    std::vector<int> pauses;
    int wakeAfter = 0;
    HangingPort* port = nullptr;
    std::function<void()> onWake; // on the worker, as the modem wakes
};

struct StuckCase {
    const char* name;
    int wakeAfter;           // pauses before the modem answers again
    std::vector<int> pauses; // as the link made them
};

const StuckCase kStuckCases[] = {
    {"answers again after the first pause", 1, {1000}},
    {"answers again after four pauses, each twice the last", 4, {1000, 2000, 4000, 8000}},
    {"the pauses stop growing at a minute", 9, {1000, 2000, 4000, 8000, 16000, 32000, 60000, 60000, 60000}},
};

class StuckTest : public ::testing::TestWithParam<StuckCase> {};

TEST_P(StuckTest, aModemThatStopsAnsweringIsOpenedAgainAfterGrowingPauses) {
    App();
    const StuckCase& c = GetParam();
    auto clock = std::make_unique<PauseClock>();
    auto port = std::make_unique<HangingPort>(*clock);
    port->OnAnyOther({{0, "\r\nOK\r\n"}});
    port->On("AT+CPIN?\r", {{0, "\r\n+CPIN: READY\r\n\r\nOK\r\n"}});
    port->On("AT+CGSN\r", {{0, "\r\n" + kImei + "\r\n\r\nOK\r\n"}});
    port->On("at+csq\r", {{0, "\r\n+CSQ: 17,99\r\n\r\nOK\r\n"}});
    clock->port = port.get();
    clock->wakeAfter = c.wakeAfter;
    HangingPort& modem = *port;
    PauseClock& pauses = *clock;
    PhoneLink link(std::move(port), std::move(clock));
    QSignalSpy state(&link, &PhoneLink::modemState);
    QSignalSpy connected(&link, &PhoneLink::connectFinished);
    QSignalSpy identity(&link, &PhoneLink::modemIdentity);
    link.setDialogue(true);
    link.setRecovery(true);
    link.setWatchInterval(10);
    link.connectPhone(1, 19200);
    ASSERT_TRUE(WaitFor(connected));
    ASSERT_TRUE(connected[0][0].toBool());
    int seen = 0;
    ASSERT_TRUE(WaitForState(state, ModemState::Ready, seen));
    const int opens = modem.opens();

    modem.hung = true;
    link.pollSignal(); // the first deadline missed; the watch asks "AT" for the others
    ASSERT_TRUE(WaitForState(state, ModemState::Stuck, seen));
    ASSERT_TRUE(WaitForState(state, ModemState::Ready, seen));
    EXPECT_EQ(pauses.Pauses(), c.pauses);
    // Every attempt opened the port again: one look at who answers an attempt,
    // and the connect of the one that answered as the same modem.
    EXPECT_EQ(modem.opens(), opens + c.wakeAfter + 1);
    EXPECT_EQ(link.currentModemState(), ModemState::Ready);
    EXPECT_EQ(link.imei().toStdString(), kImei);
    ASSERT_EQ(identity.count(), 2); // the connect and the recovery
    EXPECT_EQ(identity[1][0].toString().toStdString(), kImei);
    // Nothing between the two Readys but Stuck: the modem was never said
    // to be gone, nor ready while it was not.
    std::vector<ModemState> states = States(state);
    const auto firstStuck = std::find(states.begin(), states.end(), ModemState::Stuck);
    ASSERT_NE(firstStuck, states.end());
    EXPECT_EQ(std::vector<ModemState>(firstStuck, states.end()),
              (std::vector<ModemState>{ModemState::Stuck, ModemState::Ready}));
}

INSTANTIATE_TEST_SUITE_P(Modems, StuckTest, ::testing::ValuesIn(kStuckCases),
                         [](const auto& info) { return CaseName(info.index, info.param.name); });

// Recovery off (the window): a modem that stops answering is left as it is.
TEST(StuckTest, withoutRecoveryTheModemIsNotReopened) {
    App();
    auto clock = std::make_unique<PauseClock>();
    auto port = std::make_unique<HangingPort>(*clock);
    port->OnAnyOther({{0, "\r\nOK\r\n"}});
    HangingPort& modem = *port;
    PauseClock& pauses = *clock;
    PhoneLink link(std::move(port), std::move(clock));
    QSignalSpy connected(&link, &PhoneLink::connectFinished);
    QSignalSpy polled(&link, &PhoneLink::pollFinished);
    link.setDialogue(true);
    link.setWatchInterval(10);
    link.connectPhone(1, 19200);
    ASSERT_TRUE(WaitFor(connected));
    modem.hung = true;
    for (int i = 0; i < PhoneLink::kStuckAfter + 1; ++i)
        link.pollSignal();
    ASSERT_TRUE(WaitFor(polled, PhoneLink::kStuckAfter + 1));
    QTest::qWait(100); // ten looks of a watch, had there been one
    EXPECT_EQ(modem.opens(), 1);
    EXPECT_TRUE(pauses.Pauses().empty());
}

// A SIM that refuses its PIN is never given it again by recovery: each try
// would cost it one, and three lock it.
struct SimCase {
    const char* name;
    bool atFirstConnect; // else when the modem comes back after hanging
};

class SimRefusalTest : public ::testing::TestWithParam<SimCase> {};

TEST_P(SimRefusalTest, aRefusedPinEndsRecovery) {
    App();
    auto clock = std::make_unique<PauseClock>();
    auto port = std::make_unique<HangingPort>(*clock);
    port->OnAnyOther({{0, "\r\nOK\r\n"}});
    port->On("AT+CGSN\r", {{0, "\r\n" + kImei + "\r\n\r\nOK\r\n"}});
    port->On("AT+CPINR=\"SIM PIN\"\r", {{0, "\r\nERROR\r\n"}});
    port->On("AT+CPIN=\"1234\"\r", {{0, "\r\n+CME ERROR: 16\r\n"}});
    const Chunks locked{{0, "\r\n+CPIN: SIM PIN\r\n\r\nOK\r\n"}};
    port->On("AT+CPIN?\r",
             GetParam().atFirstConnect ? locked : Chunks{{0, "\r\n+CPIN: READY\r\n\r\nOK\r\n"}});
    HangingPort& modem = *port;
    clock->port = port.get();
    clock->wakeAfter = 1;
    clock->onWake = [&modem, locked] { modem.On("AT+CPIN?\r", locked); };
    PauseClock& pauses = *clock;
    PhoneLink link(std::move(port), std::move(clock));
    // Answered at once, on the worker, as a PIN file would be: the fake
    // clock would otherwise end the wait for it before anyone could answer.
    std::atomic<int> asked{0};
    QObject::connect(
        &link, &PhoneLink::pinRequested, &link,
        [&](int) {
            ++asked;
            link.answerPin(QString("1234"));
        },
        Qt::DirectConnection);
    QSignalSpy state(&link, &PhoneLink::modemState);
    QSignalSpy connected(&link, &PhoneLink::connectFinished);
    link.setDialogue(true);
    link.setRecovery(true);
    link.setWatchInterval(10);
    link.connectPhone(1, 19200);
    ASSERT_TRUE(WaitFor(connected));
    int seen = 0;
    if (!GetParam().atFirstConnect) {
        ASSERT_TRUE(connected[0][0].toBool());
        modem.hung = true;
        link.pollSignal();
    } else {
        EXPECT_FALSE(connected[0][0].toBool());
    }
    ASSERT_TRUE(WaitForState(state, ModemState::Stuck, seen));
    QTest::qWait(200); // twenty looks of the watch
    EXPECT_EQ(asked, 1);
    const auto& sent = modem.written();
    EXPECT_EQ(std::count(sent.begin(), sent.end(), "AT+CPIN=\"1234\"\r"), 1);
    EXPECT_EQ(pauses.Pauses(), GetParam().atFirstConnect ? std::vector<int>{} : std::vector<int>{1000});
    EXPECT_EQ(link.currentModemState(), ModemState::Stuck);
}

INSTANTIATE_TEST_SUITE_P(Sims, SimRefusalTest,
                         ::testing::Values(SimCase{"at_the_first_connect", true},
                                           SimCase{"when_the_modem_comes_back", false}),
                         [](const auto& info) { return std::string(info.param.name); });

// The simulated modem behind a link with recovery on, its links in a
// folder of the test's own that stands for /dev.
class ReplugTest : public ::testing::Test {
protected:
    ReplugTest() : dir(TempDir("replug")) {
        App();
        std::filesystem::create_directories(dir + "/dev");
    }
    ~ReplugTest() override { std::filesystem::remove_all(dir); }

    std::unique_ptr<PhoneLink> Link(const std::string& device) {
        DeviceOptions options;
        options.anyPort = device;
        auto link = MakePhoneLink(Settings{}, options, std::make_unique<RealClock>(0.1));
        link->setDialogue(true);
        link->setRecovery(true);
        link->setModemSearch(
            ModemSearch{"", QString::fromStdString(dir + "/by-id"), {QString::fromStdString(dir + "/dev")}});
        link->setWatchInterval(50);
        return link;
    }

    std::string dir;
};

TEST_F(ReplugTest, aModemPulledAndPluggedBackUnderAnotherPathIsFoundByItsImei) {
    // Another modem in the folder, free: looked at, and left for its IMEI.
    SimPhone other({"--imei", "352099001761481", "--link", dir + "/dev/ttyUSB0"});
    SimPhone phone({"--imei", kImei, "--link", dir + "/dev/ttyUSB1", "--replug-link", dir + "/dev/ttyUSB4"});
    const auto link = Link(dir + "/dev/ttyUSB1");
    QSignalSpy state(link.get(), &PhoneLink::modemState);
    QSignalSpy where(link.get(), &PhoneLink::modemDevice);
    QSignalSpy polled(link.get(), &PhoneLink::pollFinished);
    QSignalSpy quality(link.get(), &PhoneLink::signalQuality);
    link->connectPhone(1, 19200);
    int seen = 0;
    ASSERT_TRUE(WaitForState(state, ModemState::Ready, seen));
    EXPECT_EQ(link->imei().toStdString(), kImei);
    EXPECT_EQ(link->device().toStdString(), dir + "/dev/ttyUSB1");

    phone.Pull();
    ASSERT_TRUE(WaitForState(state, ModemState::Away, seen));
    ASSERT_TRUE(phone.Plug(dir + "/dev/ttyUSB4"));
    ASSERT_TRUE(WaitForState(state, ModemState::Ready, seen));
    EXPECT_EQ(link->device().toStdString(), dir + "/dev/ttyUSB4");
    ASSERT_EQ(where.count(), 2);
    EXPECT_EQ(where[1][0].toString().toStdString(), dir + "/dev/ttyUSB4");
    EXPECT_EQ(link->imei().toStdString(), kImei);
    // And it goes on.
    link->pollSignal();
    ASSERT_TRUE(WaitFor(polled));
    ASSERT_EQ(quality.count(), 1);
    EXPECT_EQ(quality[0][0].toString(), "[17]");
}

// However long the pauses have grown while it was away, a modem plugged
// back is opened within a moment of its return, not at the pause's end.
TEST_F(ReplugTest, aModemBackAfterALongAbsenceIsOpenedWithoutWaitingOutThePause) {
    SimPhone phone({"--imei", kImei, "--link", dir + "/dev/ttyUSB1", "--replug-link", dir + "/dev/ttyUSB3"});
    const auto link = Link(dir + "/dev/ttyUSB1");
    QSignalSpy state(link.get(), &PhoneLink::modemState);
    link->connectPhone(1, 19200);
    int seen = 0;
    ASSERT_TRUE(WaitForState(state, ModemState::Ready, seen));
    phone.Pull();
    ASSERT_TRUE(WaitForState(state, ModemState::Away, seen));
    // Pauses of 1, 2, 4 and 8 s by the link's clock (a tenth of real time)
    // have passed; the next, of 16 s, has begun.
    QTest::qWait(1600);
    ASSERT_TRUE(phone.Plug(dir + "/dev/ttyUSB3"));
    QElapsedTimer back;
    back.start();
    ASSERT_TRUE(WaitForState(state, ModemState::Ready, seen));
    // The pause would have ended 1.5 s of real time from now.
    EXPECT_LT(back.elapsed(), 1000);
}

// Another modem with the same IMEI (a clone, or a second port of the same
// stick) that someone else holds is never taken while the modem is away.
enum class Holder { Program, Link };
struct HeldCase {
    const char* name;
    Holder holder;
};

class HeldTest : public ReplugTest, public ::testing::WithParamInterface<HeldCase> {};

TEST_P(HeldTest, aDeviceSomeoneHoldsIsLeftAlone) {
    SimPhone impostor({"--imei", kImei, "--link", dir + "/dev/ttyUSB2"});
    pid_t holder = -1;
    std::unique_ptr<PhoneLink> other;
    if (GetParam().holder == Holder::Program) {
        // A terminal program that has the device open, without a lock.
        holder = ::fork();
        if (holder == 0) {
            [[maybe_unused]] const int fd = ::open(impostor.device().c_str(), O_RDWR | O_NOCTTY);
            ::pause();
            ::_exit(0);
        }
        ASSERT_GT(holder, 0);
        ASSERT_TRUE(
            WaitUntil([&] { return !DeviceHolders(impostor.device(), "/proc", ::getpid()).empty(); }));
    } else {
        // Another channel of this program, connected to it.
        other = Link(dir + "/dev/ttyUSB2");
        QSignalSpy connected(other.get(), &PhoneLink::connectFinished);
        other->connectPhone(1, 19200);
        ASSERT_TRUE(WaitFor(connected));
        ASSERT_TRUE(connected[0][0].toBool());
    }
    SimPhone phone({"--imei", kImei, "--link", dir + "/dev/ttyUSB1", "--replug-link", dir + "/dev/ttyUSB5"});
    const auto link = Link(dir + "/dev/ttyUSB1");
    QSignalSpy state(link.get(), &PhoneLink::modemState);
    link->connectPhone(1, 19200);
    int seen = 0;
    ASSERT_TRUE(WaitForState(state, ModemState::Ready, seen));
    phone.Pull();
    ASSERT_TRUE(WaitForState(state, ModemState::Away, seen));
    // Long enough for several looks at every device.
    QTest::qWait(1000);
    EXPECT_EQ(link->currentModemState(), ModemState::Away);
    ASSERT_TRUE(phone.Plug(dir + "/dev/ttyUSB5"));
    ASSERT_TRUE(WaitForState(state, ModemState::Ready, seen));
    EXPECT_EQ(link->device().toStdString(), dir + "/dev/ttyUSB5");
    if (holder > 0) {
        ::kill(holder, SIGKILL);
        ::waitpid(holder, nullptr, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Holders, HeldTest,
                         ::testing::Values(HeldCase{"another_program", Holder::Program},
                                           HeldCase{"another_link", Holder::Link}),
                         [](const auto& info) { return std::string(info.param.name); });

// A user who picks another port while the link waits for a lost modem gets
// that port at once, not after the pauses.
TEST_F(ReplugTest, anotherPortChosenEndsTheRecovery) {
    SimPhone lost({"--link", dir + "/dev/ttyUSB1"});
    SimPhone other;
    const std::string first = dir + "/dev/ttyUSB1", second = other.device();
    PhoneLink link(std::make_unique<TComPort>([first, second](int n) { return n == 1 ? first : second; }),
                   std::make_unique<RealClock>());
    link.setDialogue(true);
    link.setRecovery(true);
    link.setModemSearch(ModemSearch{"", "", {}});
    QSignalSpy state(&link, &PhoneLink::modemState);
    QSignalSpy connected(&link, &PhoneLink::connectFinished);
    link.connectPhone(1, 19200);
    int seen = 0;
    ASSERT_TRUE(WaitForState(state, ModemState::Ready, seen));
    lost.Pull();
    ASSERT_TRUE(WaitForState(state, ModemState::Away, seen));
    QTest::qWait(1200); // into the second pause, of two seconds
    QElapsedTimer t;
    t.start();
    link.reconnect(2, 19200);
    ASSERT_TRUE(WaitFor(connected, 2, 5000));
    EXPECT_TRUE(connected[1][0].toBool());
    EXPECT_LT(t.elapsed(), 1000);
    EXPECT_EQ(link.device().toStdString(), second);
}

// A modem found by its by-id link, which udev points at its new device.
TEST_F(ReplugTest, aModemWithoutAnImeiIsFoundByItsByIdLink) {
    std::filesystem::create_directories(dir + "/by-id");
    const std::string byId = dir + "/by-id/usb-HUAWEI_E1550_0123456789AB-if00-port0";
    SimPhone phone({"--imei", "", "--link", dir + "/dev/ttyUSB1", "--replug-link", dir + "/dev/ttyUSB7"});
    std::filesystem::create_symlink(dir + "/dev/ttyUSB1", byId);
    const auto link = Link(dir + "/dev/ttyUSB1");
    QSignalSpy state(link.get(), &PhoneLink::modemState);
    QSignalSpy where(link.get(), &PhoneLink::modemDevice);
    link->connectPhone(1, 19200);
    int seen = 0;
    ASSERT_TRUE(WaitForState(state, ModemState::Ready, seen));
    EXPECT_EQ(link->imei(), "");
    ASSERT_EQ(where.count(), 1);
    EXPECT_EQ(where[0][1].toString().toStdString(), byId);

    phone.Pull();
    ASSERT_TRUE(WaitForState(state, ModemState::Away, seen));
    ASSERT_TRUE(phone.Plug(dir + "/dev/ttyUSB7"));
    std::filesystem::remove(byId);
    std::filesystem::create_symlink(dir + "/dev/ttyUSB7", byId);
    ASSERT_TRUE(WaitForState(state, ModemState::Ready, seen));
    ASSERT_EQ(where.count(), 2);
    EXPECT_EQ(where[1][1].toString().toStdString(), byId);
}

// A port whose other side takes nothing more: a write gives up within its
// deadline, and the command counts as missed.
TEST(StalledWriteTest, aWriteToAPortThatStoppedDrainingEndsWithinItsDeadline) {
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_GE(master, 0);
    ASSERT_EQ(::grantpt(master), 0);
    ASSERT_EQ(::unlockpt(master), 0);
    // Raw, so the master's side keeps what it is sent instead of letting an
    // overlong line go.
    termios raw{};
    ASSERT_EQ(::tcgetattr(master, &raw), 0);
    ::cfmakeraw(&raw);
    ASSERT_EQ(::tcsetattr(master, TCSANOW, &raw), 0);
    const std::string device = ::ptsname(master);
    TComPort port([device](int) { return device; });
    port.SetConnected(true);
    // Fill the terminal until it takes no more; the master never reads.
    const int filler = ::open(device.c_str(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(filler, 0);
    // The kernel moves what waits on into the other side's buffer a little
    // later, making room again: filled until a pause makes none.
    for (int round = 0, took = 1; took > 0; ++round) {
        ASSERT_LT(round, 100) << "the terminal took everything";
        took = 0;
        for (const std::size_t size : {4096, 64, 1}) {
            const std::string block(size, 'x');
            ssize_t n = 0;
            while ((n = ::write(filler, block.data(), block.size())) > 0)
                took += static_cast<int>(n);
            ASSERT_EQ(errno, EAGAIN);
        }
        ::usleep(50000);
    }
    ::close(filler);
    QElapsedTimer t;
    t.start();
    EXPECT_EQ(port.SendText("AT\r"), 0);
    // 1 s and 100 ms a byte, as the link always allowed.
    EXPECT_LT(t.elapsed(), 1300 + 500);
    FakeClock clock;
    RecordingEventsStub events;
    PhoneSession session(port, clock, events);
    session.SetDialogue(Dialogue::Fast);
    EXPECT_FALSE(session.StillAnswers());
    EXPECT_EQ(session.MissedInARow(), 1);
    port.SetConnected(false);
    ::close(master);
}

// A port whose write does not come back until the test lets it: a worker
// held where no clock reaches it, as in a system call that never returns.
class BlockingPort : public ScriptedPort {
public:
    using ScriptedPort::ScriptedPort;
    void Arm() { armed = true; }
    bool WaitUntilHeld(int ms) {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, std::chrono::milliseconds(ms), [this] { return held; });
    }
    void Release() {
        {
            std::lock_guard lock(mutex);
            released = true;
        }
        changed.notify_all();
    }
    int SendText(const std::string& bytes) override {
        if (armed) {
            std::unique_lock lock(mutex);
            held = true;
            changed.notify_all();
            changed.wait(lock, [this] { return released; });
        }
        return ScriptedPort::SendText(bytes);
    }

private:
    std::atomic<bool> armed{false};
    std::mutex mutex;
    std::condition_variable changed;
    bool held = false;
    bool released = false;
};

TEST(LeftBehindTest, aWorkerThatDoesNotEndIsLeftBehindAndNeverReachesTheLinkAgain) {
    App();
    auto clock = std::make_unique<FakeClock>();
    auto port = std::make_unique<BlockingPort>(*clock);
    port->OnAnyOther({{0, "\r\nOK\r\n"}});
    port->On("at+csq\r", {{0, "\r\n+CSQ: 17,99\r\n\r\nOK\r\n"}});
    BlockingPort& held = *port;
    auto link = std::make_unique<PhoneLink>(std::move(port), std::move(clock));
    QSignalSpy connected(link.get(), &PhoneLink::connectFinished);
    link->setDialogue(true);
    link->connectPhone(1, 19200);
    ASSERT_TRUE(WaitFor(connected));
    held.Arm();
    link->pollSignal();
    ASSERT_TRUE(held.WaitUntilHeld(5000));
    QElapsedTimer t;
    t.start();
    link.reset();
    EXPECT_GE(t.elapsed(), PhoneLink::kEndMs - 100);
    EXPECT_LT(t.elapsed(), PhoneLink::kEndMs + 1000);
    // The worker goes on with the poll, its signals to no one, then ends and
    // frees itself, the thread with it (the sanitizers watch both).
    held.Release();
    QTest::qWait(500);
}

// Ending a link, or disconnecting it, with a modem that hung in the middle
// of a message: the wait for its answer is cut short.
struct EndCase {
    const char* name;
    bool destroy; // else disconnect
};

class StuckEndTest : public ::testing::TestWithParam<EndCase> {};

TEST_P(StuckEndTest, takesAtMostFiveSeconds) {
    App();
    // Hangs after the prompt: the PDU is never answered.
    const std::string modem = TempDir("stuck-end") + "/modem";
    SimPhone phone({"--hang-after", "13", "--link", modem});
    DeviceOptions options;
    options.anyPort = modem;
    auto link = MakePhoneLink(Settings{}, options, std::make_unique<RealClock>(1.0));
    link->setDialogue(true);
    link->setRecovery(true);
    QSignalSpy connected(link.get(), &PhoneLink::connectFinished);
    QSignalSpy submitted(link.get(), &PhoneLink::submitted);
    QSignalSpy finished(link.get(), &PhoneLink::sendFinished);
    QSignalSpy disconnected(link.get(), &PhoneLink::disconnectFinished);
    link->connectPhone(1, 19200);
    ASSERT_TRUE(WaitFor(connected));
    ASSERT_TRUE(connected[0][0].toBool());
    link->submit(7, {"0011000C912658969999990000AA05C8329BFD06"}, "628569999999");
    QTest::qWait(300); // the PDU is with the modem
    QElapsedTimer t;
    t.start();
    if (GetParam().destroy) {
        link.reset();
        EXPECT_LT(t.elapsed(), 5000);
        return;
    }
    link->disconnectPhone();
    ASSERT_TRUE(WaitFor(disconnected, 1, 10000));
    EXPECT_LT(t.elapsed(), 5000);
    // The message is not left waiting: its part is uncertain, and it ended.
    ASSERT_EQ(submitted.count(), 1);
    EXPECT_EQ(submitted[0][2].value<SubmitOutcome>(), SubmitOutcome::Unknown);
    ASSERT_EQ(finished.count(), 1);
    EXPECT_FALSE(finished[0][1].toBool());
    // The clock the disconnect cut short serves the next connect, to the
    // modem plugged back in.
    phone.Pull();
    QTest::qWait(100);
    ASSERT_TRUE(phone.Plug(modem));
    link->connectPhone(1, 19200);
    ASSERT_TRUE(WaitFor(connected, 2));
    EXPECT_TRUE(connected[1][0].toBool());
}

INSTANTIATE_TEST_SUITE_P(Ends, StuckEndTest,
                         ::testing::Values(EndCase{"destroyed", true}, EndCase{"disconnected", false}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace velmora::testing
