// At real time against the instant simulated phone: how far the dialogue's
// wall time goes beyond the sleeps it is made of, and what an idle connected
// session costs. Prints the figures it checks.

#include "ComPort.h"
#include "IndicatorPdu.h"
#include "PhoneLink.h"
#include "SimPhone.h"

#include <QCoreApplication>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <sys/resource.h>

namespace velmora::testing {
namespace {

using Ms = std::chrono::duration<double, std::milli>;

// Real sleeps, each one's actual length kept beside the one asked for.
class MeasuringClock : public Clock {
public:
    void Sleep(int ms) override {
        const auto start = std::chrono::steady_clock::now();
        m_real.Sleep(ms);
        asked.push_back(ms);
        took.push_back(Ms(std::chrono::steady_clock::now() - start).count());
    }
    std::int64_t NowMs() const override { return m_real.NowMs(); }
    double AskedTotal() const {
        double t = 0;
        for (int a : asked)
            t += a;
        return t;
    }
    void Clear() {
        asked.clear();
        took.clear();
    }
    std::vector<int> asked;
    std::vector<double> took;

private:
    RealClock m_real;
};

class NoEvents : public SessionEvents {};

double Timed(const std::function<void()>& f) {
    const auto start = std::chrono::steady_clock::now();
    f();
    return Ms(std::chrono::steady_clock::now() - start).count();
}

TEST(Figures, ConnectAndSubmissionStayWithin50MsOfTheirSleeps) {
    SimPhone sim;
    MeasuringClock clock;
    TComPort port([d = sim.device()](int) { return d; });
    NoEvents events;
    PhoneSession session(port, clock, events);

    bool ok = false;
    const double connect = Timed([&] { ok = session.Connect(1, 19200); });
    ASSERT_TRUE(ok);
    const double connectSleeps = clock.AskedTotal();
    EXPECT_EQ(connectSleeps, 3500);
    for (std::size_t i = 0; i < clock.asked.size(); ++i) {
        EXPECT_GE(clock.took[i], clock.asked[i] - 1) << "sleep " << i;
        EXPECT_LT(clock.took[i], clock.asked[i] + 25) << "sleep " << i;
    }

    clock.Clear();
    SubmitOutcome outcome{};
    const double submit = Timed([&] { outcome = session.SubmitPDU(*BuildVoidPDU("628569999999"), "6285"); });
    EXPECT_EQ(outcome, SubmitOutcome::Sent);
    const double submitSleeps = clock.AskedTotal();
    EXPECT_EQ(submitSleeps, 1500);

    std::printf("[figures] Connect: %.1f ms wall, %.0f ms of sleeps, %.1f ms over\n", connect, connectSleeps,
                connect - connectSleeps);
    std::printf("[figures] one submission: %.1f ms wall, %.0f ms of sleeps, %.1f ms over\n", submit,
                submitSleeps, submit - submitSleeps);
    EXPECT_GE(connect, connectSleeps);
    EXPECT_LT(connect - connectSleeps, 50);
    EXPECT_GE(submit, submitSleeps);
    EXPECT_LT(submit - submitSleeps, 50);
}

double CpuMs() {
    rusage u{};
    ::getrusage(RUSAGE_SELF, &u);
    return (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1000.0 +
           (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1000.0;
}

TEST(Figures, AnIdleConnectedSessionCostsUnderOnePercentOfACore) {
    static int argc = 1;
    static char name[] = "link_figures";
    static char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    SimPhone sim;
    const std::string device = sim.device();
    PhoneLink link(std::make_unique<TComPort>([device](int) { return device; }),
                   std::make_unique<RealClock>(), nullptr);
    QSignalSpy connected(&link, &PhoneLink::connectFinished);
    QSignalSpy quality(&link, &PhoneLink::signalQuality);
    link.connectPhone(1, 19200);
    ASSERT_TRUE(connected.wait(10000));
    ASSERT_TRUE(connected[0][0].toBool());

    // 20 s of the window's idle life, up to the end of the first signal
    // poll; a loaded machine may finish that poll a little late.
    const double cpu0 = CpuMs();
    const auto start = std::chrono::steady_clock::now();
    while (quality.count() == 0 && std::chrono::steady_clock::now() - start < std::chrono::seconds(25))
        quality.wait(100);
    const double wall = Ms(std::chrono::steady_clock::now() - start).count();
    const double cpu = CpuMs() - cpu0;
    std::printf("[figures] idle connected session: %.1f ms CPU in %.0f ms (%.3f %% of a core), %d poll(s)\n",
                cpu, wall, 100.0 * cpu / wall, static_cast<int>(quality.count()));
    EXPECT_EQ(quality.count(), 1); // the 20 s poll came, once
    EXPECT_LT(cpu / wall, 0.01);
}

// A modem pulled out and plugged back under another name, at real time with
// the link's own watch and pauses: how long until the link says it is away,
// and how long from the plug until it is ready again.
TEST(Figures, APluggedBackModemIsReadyWithinItsFirstPause) {
    static int argc = 1;
    static char name[] = "link_figures";
    static char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    const std::string dir = TempDir("figures-replug");
    SimPhone sim(
        {"--imei", "862012034567893", "--link", dir + "/ttyUSB0", "--replug-link", dir + "/ttyUSB3"});
    const std::string device = dir + "/ttyUSB0";
    PhoneLink link(std::make_unique<TComPort>([device](int) { return device; }),
                   std::make_unique<RealClock>(), nullptr);
    link.setDialogue(true);
    link.setRecovery(true);
    link.setModemSearch(ModemSearch{"", "", {QString::fromStdString(dir)}});
    QSignalSpy state(&link, &PhoneLink::modemState);
    const auto waitFor = [&state](ModemState s, int ms) {
        const auto start = std::chrono::steady_clock::now();
        while (state.isEmpty() || state.last()[0].value<ModemState>() != s) {
            if (std::chrono::steady_clock::now() - start > std::chrono::milliseconds(ms))
                return -1.0;
            state.wait(5);
        }
        return Ms(std::chrono::steady_clock::now() - start).count();
    };
    link.connectPhone(1, 19200);
    ASSERT_GE(waitFor(ModemState::Ready, 10000), 0);
    sim.Pull();
    const double away = waitFor(ModemState::Away, 10000);
    ASSERT_TRUE(sim.Plug(dir + "/ttyUSB3"));
    const double ready = waitFor(ModemState::Ready, 10000);
    std::printf(
        "[figures] pulled out: away after %.0f ms; plugged back: ready after %.0f ms (first pause %d ms)\n",
        away, ready, PhoneLink::kFirstPauseMs);
    EXPECT_GE(away, 0);
    EXPECT_LT(away, 2500); // the watch looks every 2 s
    EXPECT_GE(ready, 0);
    EXPECT_LT(ready, PhoneLink::kFirstPauseMs + 1500);
    EXPECT_EQ(link.device().toStdString(), dir + "/ttyUSB3");
}

} // namespace
} // namespace velmora::testing
