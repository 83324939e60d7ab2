// The window's handle on the phone: requests served in turn on the worker
// thread, results as queued signals.

#include "FakeClock.h"
#include "PhoneLink.h"
#include "ScriptedPort.h"
#include "SimPhone.h"

#include <QCoreApplication>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

namespace velmora::testing {
namespace {

QCoreApplication& App() {
    static int argc = 1;
    static char name[] = "link_worker_tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

class Worker : public ::testing::Test {
protected:
    Worker() {
        App();
        auto fake = std::make_unique<FakeClock>();
        auto scripted = std::make_unique<ScriptedPort>(*fake);
        port = scripted.get();
        port->On("ate0\r", {{0, "\r\nOK\r\n"}});
        port->On("at+cgmi\r", {{0, "\r\nVELMORA\r\n\r\nOK\r\n"}});
        port->OnAnyOther({{0, "\r\nOK\r\n"}});
        port->On("at+cmgs=22\r", {{0, "\r\n> "}});
        port->On("at+csq\r", {{0, "\r\n+CSQ: 17,99\r\n\r\nOK\r\n"}});
        port->On("at+cpbr=1\r", {{0, "\r\n+CPBR: 1,\"0812\",129,\"Ann, home\"\r\n\r\nOK\r\n"}});
        for (int n = 2; n <= 6; ++n)
            port->On("at+cpbr=" + std::to_string(n) + "\r", {{0, "\r\n+CME ERROR: 22\r\n"}});
        port->On("at+copn\r", {{0, "\r\n+COPN: \"51001\",\"INDOSAT\"\r\n\r\nOK\r\n"}});
        link = std::make_unique<PhoneLink>(std::move(scripted), std::move(fake));
    }

    // Waits for `spy` to hold `count` emissions.
    static bool WaitFor(QSignalSpy& spy, int count = 1) {
        for (int i = 0; i < 100 && spy.count() < count; ++i)
            spy.wait(50);
        return spy.count() >= count;
    }

    ScriptedPort* port;
    std::unique_ptr<PhoneLink> link;
};

TEST_F(Worker, ServesRequestsInTurnAndReportsThroughSignals) {
    QSignalSpy connected(link.get(), &PhoneLink::connectFinished);
    QSignalSpy identity(link.get(), &PhoneLink::identity);
    QSignalSpy state(link.get(), &PhoneLink::stateChanged);
    QSignalSpy disconnected(link.get(), &PhoneLink::disconnectFinished);
    QSignalSpy submitted(link.get(), &PhoneLink::submitted);
    QSignalSpy finished(link.get(), &PhoneLink::sendFinished);
    QSignalSpy quality(link.get(), &PhoneLink::signalQuality);
    const QString pdu(46, '0');
    link->connectPhone(1, 19200);
    link->submit(42, {pdu, pdu, pdu}, "628569999999");
    link->pollSignal();
    link->disconnectPhone();
    ASSERT_TRUE(WaitFor(disconnected));
    ASSERT_EQ(connected.count(), 1);
    EXPECT_TRUE(connected[0][0].toBool());
    EXPECT_EQ(identity[0][0].toString(), "VELMORA");
    ASSERT_EQ(submitted.count(), 3);
    // Each part names its message; the link keeps no log of its own.
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(submitted[i][0].toLongLong(), 42);
        EXPECT_EQ(submitted[i][1].toInt(), i);
        EXPECT_EQ(submitted[i][2].value<SubmitOutcome>(), SubmitOutcome::Sent);
        EXPECT_FALSE(submitted[i][5].toBool());
    }
    ASSERT_EQ(finished.count(), 1);
    EXPECT_EQ(finished[0][0].toLongLong(), 42);
    EXPECT_TRUE(finished[0][1].toBool());
    ASSERT_EQ(quality.count(), 1);
    EXPECT_EQ(quality[0][0].toString(), "[17]");
    EXPECT_EQ(quality[0][2].toInt(), 3);
    // One state, in the order the requests ran.
    using S = PhoneLink::State;
    std::vector<S> states;
    for (const auto& s : state)
        states.push_back(s[0].value<S>());
    EXPECT_EQ(states, (std::vector<S>{S::Opening, S::Identifying, S::Connected, S::Sending, S::Connected,
                                      S::CheckingSignal, S::Connected, S::Disconnected}));
    // In turn: the poll's command comes after the last part, never inside it.
    const auto& w = port->written();
    const auto csq = std::find(w.begin(), w.end(), "at+csq\r");
    ASSERT_NE(csq, w.end());
    EXPECT_EQ(std::count(w.begin(), csq, "at+cmgf=0\r"), 3);
}

TEST_F(Worker, ReadsThePhonebookOncePerConnectionUnlessAskedAgain) {
    QSignalSpy read(link.get(), &PhoneLink::phonebookFinished);
    QSignalSpy contact(link.get(), &PhoneLink::contactFound);
    link->readPhonebook(false); // not connected: nothing to read
    link->connectPhone(1, 19200);
    link->readPhonebook(false);
    link->readPhonebook(false);
    link->readPhonebook(true);
    ASSERT_TRUE(WaitFor(read, 4));
    EXPECT_FALSE(read[0][0].toBool());
    EXPECT_TRUE(read[1][0].toBool());
    EXPECT_EQ(read[1][1].toInt(), 1);
    EXPECT_FALSE(read[2][0].toBool());
    EXPECT_TRUE(read[3][0].toBool());
    ASSERT_EQ(contact.count(), 2);
    EXPECT_EQ(contact[0][0].toString(), "Ann, home");

    const std::string file = TempDir("worker") + "/Contact.Txt";
    QSignalSpy exported(link.get(), &PhoneLink::exportFinished);
    link->exportContacts(QString::fromStdString(file));
    ASSERT_TRUE(WaitFor(exported));
    EXPECT_TRUE(exported[0][0].toBool());
    EXPECT_EQ(exported[0][1].toString().toStdString(), "Save to file " + file + " !");
    EXPECT_EQ(ReadLines(file).size(), 4u);
}

TEST_F(Worker, ReadsTheOperatorListOncePerConnection) {
    QSignalSpy ops(link.get(), &PhoneLink::operatorsFinished);
    QSignalSpy connected(link.get(), &PhoneLink::connectFinished);
    link->readOperators(); // not connected: answered, nothing read
    link->connectPhone(1, 19200);
    link->readOperators();
    link->readOperators();
    link->reconnect(1, 19200);
    link->readOperators();
    ASSERT_TRUE(WaitFor(connected, 2));
    ASSERT_TRUE(WaitFor(ops, 4));
    std::vector<bool> read;
    for (const auto& o : ops)
        read.push_back(o[0].toBool());
    EXPECT_EQ(read, (std::vector<bool>{false, true, false, true}));
    EXPECT_EQ(ops[1][1].toStringList(), QStringList{"51001  INDOSAT"});
}

TEST_F(Worker, AnswersRequestsWithNothingToDo) {
    QSignalSpy exported(link.get(), &PhoneLink::exportFinished);
    QSignalSpy polled(link.get(), &PhoneLink::pollFinished);
    QSignalSpy disconnected(link.get(), &PhoneLink::disconnectFinished);
    link->exportContacts(QString::fromStdString(TempDir("worker-empty") + "/Contact.Txt"));
    link->pollSignal();
    link->disconnectPhone();
    ASSERT_TRUE(WaitFor(disconnected));
    ASSERT_EQ(exported.count(), 1);
    EXPECT_FALSE(exported[0][0].toBool());
    EXPECT_EQ(polled.count(), 1);
    EXPECT_TRUE(port->written().empty());
}

TEST(WorkerShutdown, EndsALongReadAtOnce) {
    App();
    // At a fifth of real time the operator read still takes two seconds.
    auto clock = std::make_unique<RealClock>(0.2);
    auto port = std::make_unique<ScriptedPort>(*clock);
    port->OnAnyOther({{0, "\r\nOK\r\n"}});
    auto link = std::make_unique<PhoneLink>(std::move(port), std::move(clock));
    QSignalSpy status(link.get(), &PhoneLink::status);
    QSignalSpy done(link.get(), &PhoneLink::connectFinished);
    link->connectPhone(1, 19200);
    link->readOperators();
    ASSERT_TRUE(done.wait(5000));
    for (int i = 0; i < 40 && status.count() > 0 && status.last()[0].toString() != "Get provider list"; ++i)
        status.wait(50);
    const auto start = std::chrono::steady_clock::now();
    link.reset();
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_LT(took, std::chrono::milliseconds(500));
}

} // namespace
} // namespace velmora::testing
