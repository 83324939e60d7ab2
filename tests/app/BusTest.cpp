// org.velmora.Velmora1 as programs meet it: velmorad on a private D-Bus
// (a dbus-daemon of the test's own), holding a simulated phone. What
// velmora-cli prints through it, the errors' names, the signals of a send,
// the interface against the installed description, and a second daemon
// that finds the name taken.

#include "ApiNames.h"
#include "BusClient.h"
#include "SimPhone.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QJsonArray>
#include <QProcess>
#include <QTimer>
#include <QXmlStreamReader>

#include <csignal>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <signal.h>
#include <sys/prctl.h>

#include <gtest/gtest.h>

namespace velmora::testing {
namespace {

using api::BusClient;

void Write(const std::string& path, const std::string& text) { std::ofstream(path) << text; }

// A bus or daemon of the test's own ends with the test, even one that dies.
void EndsWithTheTest(QProcess& p) {
    p.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
}

// Runs the event loop until `done` or `ms` passed.
bool Spin(const std::function<bool()>& done, int ms) {
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > ms)
            return false;
        QEventLoop loop;
        QTimer::singleShot(10, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return true;
}

bool LogSays(const std::string& log, const std::string& what, int ms) {
    return Spin(
        [&] {
            for (const auto& line : ReadLines(log))
                if (line.find(what) != std::string::npos)
                    return true;
            return false;
        },
        ms);
}

std::string All(const std::string& log) {
    std::string all;
    for (const auto& l : ReadLines(log))
        all += l + "\n";
    return all;
}

struct Ran {
    int code = -1;
    std::string out, err;
};

// ctest runs each test alone: whichever comes first makes the application
// its event loops need.
void MakeApp() {
    static int argc = 1;
    static char name[] = "api_bus_tests";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance())
        new QCoreApplication(argc, argv);
}

class BusTest : public ::testing::Test {
protected:
    // One bus for the process, for every suite: Qt keeps its session
    // connection once made. It ends with the process.
    static void SetUpTestSuite() {
        MakeApp();
        if (s_bus)
            return;
        s_bus = new QProcess;
        EndsWithTheTest(*s_bus);
        s_bus->start("dbus-daemon", {"--session", "--nofork", "--nopidfile", "--print-address=1"});
        if (s_bus->waitForStarted(5000) && s_bus->waitForReadyRead(5000))
            s_address = QString::fromUtf8(s_bus->readLine()).trimmed();
        qputenv("DBUS_SESSION_BUS_ADDRESS", s_address.toUtf8());
    }

    void SetUp() override {
        ASSERT_FALSE(s_address.isEmpty()) << "no private dbus-daemon";
        m_dir = TempDir("velmora-bus");
        m_phone = std::make_unique<SimPhone>(PhoneArgs());
        ASSERT_FALSE(m_phone->device().empty());
        m_env = QProcessEnvironment::systemEnvironment();
        m_env.insert("VELMORA_DIR", QString::fromStdString(m_dir));
        m_env.insert("DBUS_SESSION_BUS_ADDRESS", s_address);
        m_env.insert("LANG", "C.UTF-8");
        for (const char* gone : {"LANGUAGE", "LC_ALL", "JOURNAL_STREAM", "NOTIFY_SOCKET"})
            m_env.remove(gone);
        m_conf = m_dir + "/velmorad.conf";
        Write(m_conf, "[Store]\nPath=" + m_dir + "/messages.sqlite\n[Modem a]\nDevice=" + m_phone->device() +
                          "\n" + MoreModems());
        EndsWithTheTest(m_daemon);
        m_daemon.setProcessEnvironment(m_env);
        m_daemon.setStandardErrorFile(QString::fromStdString(m_dir + "/log"));
        m_daemon.start(VELMORAD, {"--config", QString::fromStdString(m_conf)});
        ASSERT_TRUE(m_daemon.waitForStarted(5000));
        ASSERT_TRUE(LogSays(m_dir + "/log", "answering as org.velmora.Velmora1 on the session bus", 15000))
            << All(m_dir + "/log");
        ASSERT_TRUE(LogSays(m_dir + "/log", "info: modem a: IMEI", 15000)) << All(m_dir + "/log");
        // Connected, as the daemon's modems table says once each link is up.
        BusClient client(QDBusConnection::sessionBus(), QDBusConnection::SessionBus);
        ASSERT_TRUE(Spin(
            [&] {
                const auto modems = client.modems();
                if (!modems || modems.value().isEmpty())
                    return false;
                for (const QJsonValue& m : modems.value())
                    if (m.toObject().value("state").toString() != "ready")
                        return false;
                return true;
            },
            15000));
    }
    void TearDown() override {
        m_daemon.terminate();
        m_daemon.waitForFinished(12000);
    }

    Ran Cli(const QStringList& args, int ms = 30000) {
        QProcess p;
        p.setProcessEnvironment(m_env);
        p.start(VELMORA_CLI, args);
        p.waitForFinished(ms);
        return {p.exitCode(), p.readAllStandardOutput().toStdString(),
                p.readAllStandardError().toStdString()};
    }

    // A call as any program makes it; the error's name, "" when it succeeded.
    QDBusMessage Call(const QString& method, const QVariantList& args) {
        QDBusMessage call =
            QDBusMessage::createMethodCall(api::kBusName, api::kObjectPath, api::kMessagesInterface, method);
        call.setArguments(args);
        return QDBusConnection::sessionBus().call(call);
    }

    static inline QProcess* s_bus = nullptr;
    static inline QString s_address;
    // The daemon's modem: velmora-phonesim with these options.
    virtual std::vector<std::string> PhoneArgs() { return {"--imei", "354812345678908"}; }
    // More of the daemon's modems, as its settings name them.
    virtual std::string MoreModems() { return ""; }
    std::unique_ptr<SimPhone> m_phone;
    std::string m_dir, m_conf;
    QProcessEnvironment m_env;
    QProcess m_daemon;
};

// The lines a script reads are those of a send of its own; only stderr
// says the way it went. --direct still opens the port, which the daemon
// holds.
TEST_F(BusTest, CliSendGoesThroughTheDaemonWithTheSameLines) {
    const Ran one =
        Cli({"send", "--device", QString::fromStdString(m_phone->device()), "text", "0812345678", "Hi"});
    EXPECT_EQ(one.code, 0) << one.err;
    EXPECT_EQ(one.out, "Message 1\nMessage Sent\n");
    EXPECT_EQ(one.err, "velmora-cli: through the running Velmora program (D-Bus, session bus)\n");

    // A long text: a line for each part, as each is handed over.
    const Ran two = Cli({"send", "text", "--long", "0812345678", QString(200, 'x')});
    EXPECT_EQ(two.code, 0) << two.err;
    EXPECT_EQ(two.out, "Message 2\nMessage Sent\nMessage Sent\n");

    // Queued: its number, then the daemon sends it.
    const Ran queued = Cli({"send", "--queue", "text", "0812345678", "Later"});
    EXPECT_EQ(queued.code, 0) << queued.err;
    EXPECT_EQ(queued.out, "3\n");
    BusClient client(QDBusConnection::sessionBus(), QDBusConnection::SessionBus);
    EXPECT_TRUE(Spin([&] { return client.get(3) && client.get(3).value().value("state") == "sent"; }, 10000));

    // A message BuildMessage refuses is refused here, with nothing queued.
    const Ran refused = Cli({"send", "text", "0812345678"});
    EXPECT_EQ(refused.code, 2) << refused.err;

    const Ran direct = Cli({"send", "--direct", "--fast", "--device",
                            QString::fromStdString(m_phone->device()), "text", "0812345678", "Hi"});
    EXPECT_EQ(direct.code, 3) << direct.out << direct.err;
    EXPECT_EQ(direct.out, "");
    EXPECT_EQ(direct.err.find("through the running"), std::string::npos);

    // A phone the daemon does not hold is the command's own.
    SimPhone other({"--imei", "356938035643809"});
    const Ran own = Cli(
        {"send", "--fast", "--device", QString::fromStdString(other.device()), "text", "0812345678", "Hi"});
    EXPECT_EQ(own.code, 0) << own.err;
    EXPECT_EQ(own.out, "Message 4\nMessage Sent\n");
    EXPECT_EQ(own.err, "");
}

// USSD through the daemon's modem: what velmora-cli prints alone for the
// same words, the session kept in the daemon's history. The replies are
// those on the command line.
TEST_F(BusTest, CliUssdGoesThroughTheDaemon) {
    const std::string balance = "Sisa pulsa Anda Rp 12.500, aktif s/d 31-12-2026. Info: *123*1#\n";
    const std::string menu = "1. Paket data\n2. Pulsa\n";
    struct Case {
        QStringList words;
        int code;
        std::string out, err;
    } const cases[] = {
        {{"*123#"}, 0, balance, ""},
        {{"*888#", "1"}, 0, menu + "Paket data 2GB Rp 25.000 aktif 30 hari\n", ""},
        {{"*888#"}, 0, menu, ""},
        {{"*888#", "1", "2", "3"},
         0,
         menu + "Paket data 2GB Rp 25.000 aktif 30 hari\n",
         "velmora-cli: the session ended before these replies were asked for: \"2\", \"3\"\n"},
        {{"*999#"}, 1, "The network does not support this code.\n", ""},
    };
    const std::string through = "velmora-cli: through the running Velmora program (D-Bus, session bus)\n";
    for (const Case& c : cases) {
        const Ran r = Cli(QStringList{"ussd"} + c.words);
        EXPECT_EQ(r.code, c.code) << c.words.join(' ').toStdString() << r.err;
        EXPECT_EQ(r.out, c.out) << c.words.join(' ').toStdString();
        EXPECT_EQ(r.err, through + c.err) << c.words.join(' ').toStdString();
    }
    BusClient client(QDBusConnection::sessionBus(), QDBusConnection::SessionBus);
    const auto kept = client.list({});
    ASSERT_TRUE(kept);
    ASSERT_EQ(kept.value().size(), std::size(cases));
    EXPECT_EQ(kept.value()[0].toObject().value("kind").toString(), "ussd");
}

// The store's commands through the daemon print what they print on the
// store itself (--direct, the same file here); only stderr says the way.
TEST_F(BusTest, QueueHistoryAndModemsPrintAsOnTheStore) {
    const Ran queued = Cli(
        {"send", "--queue", "--to", "0811000001,0811000002", "--at", "2099-01-01 10:00", "text", "Later"});
    ASSERT_EQ(queued.code, 0) << queued.err;
    const std::string through = "velmora-cli: through the running Velmora program (D-Bus, session bus)\n";
    // Each asked through the daemon, then alone on the state it left: the
    // steps are those that give the same answer the second time.
    const QStringList commands[] = {
        {"queue", "pause", "B1"},
        {"queue", "list"},
        {"queue", "list", "B1"},
        {"queue", "resume", "B1"},
        {"queue", "resume", "1"},
        {"queue", "cancel", "B9"},
        {"queue", "cancel", "B1"},
        {"queue", "cancel", "1"},
        {"history"},
        {"modems"},
    };
    for (const QStringList& words : commands) {
        const Ran bus = Cli(words);
        const Ran alone = Cli(words + QStringList{"--direct"});
        const std::string said = words.join(' ').toStdString();
        EXPECT_EQ(bus.out, alone.out) << said;
        EXPECT_EQ(bus.code, alone.code) << said;
        EXPECT_EQ(bus.err, through + alone.err) << said;
        EXPECT_EQ(alone.err.find("through the running"), std::string::npos) << said;
    }
    // And one that changes what it finds: the daemon took the message out.
    ASSERT_EQ(Cli({"send", "--queue", "--at", "2099-01-01 10:00", "text", "0811000003", "Later"}).out, "3\n");
    const Ran cancelled = Cli({"queue", "cancel", "3"});
    EXPECT_EQ(cancelled.out, "Message 3: cancelled\n");
    EXPECT_EQ(cancelled.err, through);
}

// A phone that keeps a message on its SIM.
const std::string kKept = "07917283010010F5040BC87238880900F10000993092516195800AE8329BFD4697D9EC37";
class BusInboxTest : public BusTest {
protected:
    std::vector<std::string> PhoneArgs() override {
        const std::string file = TempDir("velmora-bus-inbox") + "/inbox.txt";
        Write(file, kKept + "\n");
        return {"--imei", "354812345678908", "--inbox", file};
    }
};

// inbox through the daemon prints what a read of its own prints of the
// same phone (another simulated phone with the same SIM, read alone).
TEST_F(BusInboxTest, CliInboxGoesThroughTheDaemon) {
    const std::string file = m_dir + "/same.txt";
    Write(file, kKept + "\n");
    SimPhone same({"--imei", "356938035643809", "--inbox", file});
    for (const QStringList& json : {QStringList{}, QStringList{"--json"}}) {
        const Ran bus = Cli(QStringList{"inbox"} + json);
        const Ran alone = Cli(
            QStringList{"inbox", "--direct", "--fast", "--device", QString::fromStdString(same.device())} +
            json);
        EXPECT_EQ(alone.code, 0) << alone.err;
        EXPECT_NE(alone.out.find("hellohello"), std::string::npos) << alone.out;
        EXPECT_EQ(bus.out, alone.out);
        EXPECT_EQ(bus.code, alone.code);
        EXPECT_EQ(bus.err,
                  "velmora-cli: through the running Velmora program (D-Bus, session bus)\n" + alone.err);
    }
}

// send --to through the daemon: the batch queued in its store, each
// message's end and the summary as a run of its own prints them (alone on
// another simulated phone first, then through the daemon).
TEST_F(BusTest, CliSendToManyGoesThroughTheDaemon) {
    // Alone with a store of its own: the daemon's outboxes would take a
    // batch queued in theirs.
    SimPhone other({"--imei", "356938035643809"});
    const Ran alone =
        Cli({"send", "--direct", "--fast", "--device", QString::fromStdString(other.device()), "--store",
             QString::fromStdString(m_dir + "/alone.sqlite"), "--to", "0811000001,0811000002", "text", "Hi"});
    ASSERT_EQ(alone.code, 0) << alone.err;
    EXPECT_EQ(alone.err, "");
    EXPECT_NE(alone.out.find("Message 2 to"), std::string::npos) << alone.out;
    const Ran bus = Cli({"send", "--to", "0811000001,0811000002", "text", "Hi"});
    EXPECT_EQ(bus.code, 0) << bus.err;
    EXPECT_EQ(bus.err, "velmora-cli: through the running Velmora program (D-Bus, session bus)\n");
    EXPECT_EQ(bus.out, alone.out);
}

// Two modems, each telling what reached it: the PDUs it was given, the
// USSD commands, and a SIM that keeps a message on b only.
class BusTwoModemsTest : public BusTest {
protected:
    std::vector<std::string> PhoneArgs() override {
        Write(m_dir + "/a.inbox", "");
        return {"--imei",        "354812345678908", "--record", m_dir + "/a.pdus",
                "--ussd-record", m_dir + "/a.ussd", "--inbox",  m_dir + "/a.inbox"};
    }
    std::string MoreModems() override {
        Write(m_dir + "/b.inbox", kKept + "\n");
        m_b = std::make_unique<SimPhone>(std::vector<std::string>{
            "--imei", "356938035643809", "--record", m_dir + "/b.pdus", "--ussd-record", m_dir + "/b.ussd",
            "--inbox", m_dir + "/b.inbox", "--ussd-delay", "100"});
        return "[Modem b]\nDevice=" + m_b->device() + "\n";
    }
    std::size_t Lines(const std::string& file) { return ReadLines(m_dir + "/" + file).size(); }
    std::unique_ptr<SimPhone> m_b;
};

// --device naming the daemon's second modem: the send, the queued send,
// the USSD session and the read go to that modem, not to the first free
// one.
TEST_F(BusTwoModemsTest, TheDeviceNamedIsTheModemThatWorks) {
    const QString b = QString::fromStdString(m_b->device());
    const Ran sent = Cli({"send", "--device", b, "text", "0812345678", "Hi"});
    EXPECT_EQ(sent.code, 0) << sent.err;
    EXPECT_NE(sent.out.find("Message Sent\n"), std::string::npos) << sent.out;
    const Ran queued = Cli({"send", "--queue", "--device", b, "text", "0812345678", "Later"});
    ASSERT_EQ(queued.code, 0) << queued.err;
    const qint64 id = std::stoll(queued.out);
    BusClient client(QDBusConnection::sessionBus(), QDBusConnection::SessionBus);
    EXPECT_TRUE(
        Spin([&] { return client.get(id) && client.get(id).value().value("state") == "sent"; }, 10000));
    EXPECT_EQ(Lines("b.pdus"), 2u);
    EXPECT_EQ(Lines("a.pdus"), 0u);

    const Ran ussd = Cli({"ussd", "--device", b, "*123#"});
    EXPECT_EQ(ussd.code, 0) << ussd.err;
    EXPECT_GE(Lines("b.ussd"), 1u);
    EXPECT_EQ(Lines("a.ussd"), 0u);

    const Ran inbox = Cli({"inbox", "--device", b});
    EXPECT_EQ(inbox.code, 0) << inbox.err;
    EXPECT_NE(inbox.out.find("hellohello"), std::string::npos) << inbox.out;
    // Named by none: the first one up, as before.
    EXPECT_EQ(Cli({"inbox"}).out, "no messages on the phone\n");
}

// A USSD session or a read whose modem a reload takes away is answered
// with an error then, not left for the caller's own time limit; and one
// call holds a modem for 10 minutes at most.
TEST_F(BusTwoModemsTest, DelayedAnswersComeWhenTheModemGoes) {
    const QStringList tooMany{"*888#", "1", "1", "1", "1", "1", "1", "1", "1", "1", "1"};
    struct Case {
        const char* what;
        QStringList texts;
        uint wait;
    } const refused[] = {
        {"eleven texts", tooMany, 30},
        {"two texts of 301 s", {"*888#", "1"}, 301},
        {"no wait", {"*123#"}, 0},
    };
    for (const Case& c : refused)
        EXPECT_EQ(Call("Ussd", {"b", c.texts, QVariant::fromValue(c.wait)}).errorName(),
                  QString(api::kErrorPrefix) + "BadRequest")
            << c.what;
    EXPECT_EQ(Call("Ussd", {"b", QStringList{"*123#"}, QVariant::fromValue(600u)}).type(),
              QDBusMessage::ReplyMessage);

    // *555# is never answered: the session waits its 60 s, unless the modem goes.
    QDBusMessage call =
        QDBusMessage::createMethodCall(api::kBusName, api::kObjectPath, api::kMessagesInterface, "Ussd");
    call.setArguments({"b", QStringList{"*555#"}, QVariant::fromValue(60u)});
    const std::size_t before = Lines("b.ussd");
    QDBusPendingCall pending = QDBusConnection::sessionBus().asyncCall(call, 120000);
    ASSERT_TRUE(Spin([&] { return Lines("b.ussd") > before; }, 10000));
    Write(m_conf,
          "[Store]\nPath=" + m_dir + "/messages.sqlite\n[Modem a]\nDevice=" + m_phone->device() + "\n");
    QElapsedTimer took;
    took.start();
    ::kill(static_cast<pid_t>(m_daemon.processId()), SIGHUP);
    ASSERT_TRUE(Spin([&] { return pending.isFinished(); }, 20000)) << All(m_dir + "/log");
    EXPECT_LT(took.elapsed(), 20000);
    EXPECT_TRUE(pending.isError());
    EXPECT_EQ(pending.error().name(), QString(api::kErrorPrefix) + "Conflict");
    EXPECT_NE(pending.error().message().indexOf("modem b"), -1) << pending.error().message().toStdString();
}

// A send the daemon never answers (stopped here, as one that hangs or
// restarts mid-call): asked twice with one key, then said to be uncertain
// with its own status, never "nothing sent". Once the daemon goes on, the
// two calls queued it once.
TEST_F(BusTest, SendTheDaemonDoesNotAnswerIsUncertainAndQueuedOnce) {
    const pid_t daemon = static_cast<pid_t>(m_daemon.processId());
    ::kill(daemon, SIGSTOP);
    // Two calls unanswered: 2 s each rather than the 10 s a user waits.
    m_env.insert("VELMORA_CALL_TIMEOUT_MS", "2000");
    const Ran sent = Cli({"send", "text", "0812345678", "Hi"}, 60000);
    ::kill(daemon, SIGCONT);
    EXPECT_EQ(sent.code, 5) << sent.err;
    EXPECT_EQ(sent.out, "");
    EXPECT_NE(sent.err.find("the running program did not answer: the message may have been queued; see "
                            "\"velmora-cli history\" before sending it again"),
              std::string::npos)
        << sent.err;
    EXPECT_EQ(sent.err.find("nothing sent"), std::string::npos) << sent.err;
    BusClient client(QDBusConnection::sessionBus(), QDBusConnection::SessionBus);
    ASSERT_TRUE(Spin([&] { return client.get(1) && client.get(1).value().value("state") == "sent"; }, 15000));
    const auto all = client.list({});
    ASSERT_TRUE(all);
    EXPECT_EQ(all.value().size(), 1);
}

// A daemon that went away during the call and came back: the send is
// asked again with its key and goes through the new one, once.
TEST_F(BusTest, SendAskedAgainWhenTheDaemonRestartsDuringTheCall) {
    ::kill(static_cast<pid_t>(m_daemon.processId()), SIGSTOP);
    QProcess cli;
    cli.setProcessEnvironment(m_env);
    cli.start(VELMORA_CLI, {"send", "text", "0812345678", "Hi"});
    ASSERT_TRUE(cli.waitForStarted(5000));
    // The call waits in the stopped daemon's socket; it dies unread.
    Spin([] { return false; }, 3000);
    m_daemon.kill();
    m_daemon.waitForFinished(5000);
    m_daemon.start(VELMORAD, {"--config", QString::fromStdString(m_conf)});
    ASSERT_TRUE(cli.waitForFinished(60000));
    const std::string err = cli.readAllStandardError().toStdString();
    EXPECT_EQ(cli.exitCode(), 0) << err << All(m_dir + "/log");
    EXPECT_EQ(cli.readAllStandardOutput().toStdString(), "Message 1\nMessage Sent\n");
    BusClient client(QDBusConnection::sessionBus(), QDBusConnection::SessionBus);
    const auto all = client.list({});
    ASSERT_TRUE(all);
    EXPECT_EQ(all.value().size(), 1);
}

// A network that takes 1.5 s a message: a queue run finds work left.
class BusSlowTest : public BusTest {
protected:
    std::vector<std::string> PhoneArgs() override {
        return {"--imei", "354812345678908", "--network-delay", "1500"};
    }
};

// queue run follows what the daemon sends of the queue and ends with the
// summary a run of its own prints (alone: another phone as slow, a store
// of its own).
TEST_F(BusSlowTest, CliQueueRunFollowsTheDaemon) {
    SimPhone other({"--imei", "356938035643809", "--network-delay", "1500"});
    const QString own = QString::fromStdString(m_dir + "/alone.sqlite");
    ASSERT_EQ(Cli({"send", "--queue", "--store", own, "--to", "0811000001,0811000002", "text", "Hi"}).code,
              0);
    const Ran alone = Cli({"queue", "run", "--direct", "--fast", "--device",
                           QString::fromStdString(other.device()), "--store", own});
    ASSERT_EQ(alone.code, 0) << alone.err;
    EXPECT_NE(alone.out.find("Message 2 to"), std::string::npos) << alone.out;

    ASSERT_EQ(Cli({"send", "--queue", "--to", "0811000001,0811000002", "text", "Hi"}).code, 0);
    const Ran bus = Cli({"queue", "run"});
    EXPECT_EQ(bus.code, 0) << bus.err;
    EXPECT_EQ(bus.err, "velmora-cli: through the running Velmora program (D-Bus, session bus)\n");
    EXPECT_EQ(bus.out, alone.out);
}

// What a program listening hears of one send: it is queued, it starts, its
// one part is handed over, it is sent; each once, in that order, each for
// its id.
TEST_F(BusTest, StateChangedTellsEachStepOfASend) {
    BusClient client(QDBusConnection::sessionBus(), QDBusConnection::SessionBus);
    std::vector<std::string> heard;
    QObject::connect(&client, &BusClient::stateChanged,
                     [&](qint64 id, const QString& state, const QString& reason, uint part) {
                         heard.push_back(std::to_string(id) + " " + state.toStdString() + " " +
                                         reason.toStdString() + " " + std::to_string(part));
                     });
    ASSERT_TRUE(client.listen());
    const auto ids = client.sendText({"0812345678", "0812345679"}, "Hello", {{"key", "once"}});
    ASSERT_TRUE(ids) << ids.error().why.toStdString();
    ASSERT_EQ(ids.value().size(), 2u);
    // The same key again: the same ids, nothing more queued.
    const auto again = client.sendText({"0812345678", "0812345679"}, "Hello", {{"key", "once"}});
    ASSERT_TRUE(again);
    EXPECT_EQ(again.value(), ids.value());
    const std::string first = std::to_string(ids.value()[0]), second = std::to_string(ids.value()[1]);
    const auto ended = [&](const std::string& id) {
        return std::find(heard.begin(), heard.end(), id + " sent  0") != heard.end();
    };
    ASSERT_TRUE(Spin([&] { return ended(first) && ended(second); }, 15000))
        << ::testing::PrintToString(heard);
    std::vector<std::string> ofFirst;
    for (const auto& h : heard)
        if (h.rfind(first + " ", 0) == 0)
            ofFirst.push_back(h);
    EXPECT_EQ(ofFirst, (std::vector<std::string>{first + " queued  0", first + " sending  0",
                                                 first + " sending sent 1", first + " sent  0"}));
    const auto list = client.list({{"state", "sent"}});
    ASSERT_TRUE(list);
    EXPECT_EQ(list.value().size(), 2);
    const auto modems = client.modems();
    ASSERT_TRUE(modems);
    ASSERT_EQ(modems.value().size(), 1);
    EXPECT_EQ(modems.value()[0].toObject().value("imei").toString(), "354812345678908");
}

// Each refusal is an error whose name a script can test, with words for a
// person; a message BuildMessage refuses carries its words.
TEST_F(BusTest, RefusalsAreNamedErrors) {
    BusClient client(QDBusConnection::sessionBus(), QDBusConnection::SessionBus);
    const auto sent = client.sendText({"0812345678"}, "Gone", {});
    ASSERT_TRUE(sent);
    ASSERT_TRUE(Spin([&] { return client.get(sent.value()[0]).value().value("state") == "sent"; }, 10000));
    const QVariant gone = QVariant::fromValue(static_cast<qulonglong>(sent.value()[0]));
    const QVariant none = QVariant::fromValue(qulonglong{999999});
    const QVariantMap noOptions;
    struct Case {
        const char* what;
        QString method;
        QVariantList args;
        QString error;
    } const cases[] = {
        {"an option it does not know",
         "SendText",
         {QStringList{"0812345678"}, "Hi", QVariantMap{{"colour", "red"}}},
         "BadRequest"},
        {"an option of the wrong type",
         "SendText",
         {QStringList{"0812345678"}, "Hi", QVariantMap{{"report", "yes"}}},
         "BadRequest"},
        {"a time that is none",
         "SendText",
         {QStringList{"0812345678"}, "Hi", QVariantMap{{"at", "tomorrow"}}},
         "BadRequest"},
        {"a number no message goes to",
         "SendText",
         {QStringList{"not a number"}, "Hi", noOptions},
         "Refused"},
        {"a filter it does not know", "List", {QVariantMap{{"colour", "red"}}}, "BadRequest"},
        {"a state that is none", "List", {QVariantMap{{"state", "lost"}}}, "BadRequest"},
        {"no such message", "Get", {none}, "NotFound"},
        {"cancelling no such message", "Cancel", {none}, "NotFound"},
        {"cancelling a message that left", "Cancel", {gone}, "Conflict"},
        {"no such batch", "PauseBatch", {none}, "NotFound"},
    };
    for (const Case& c : cases) {
        const QDBusMessage reply = Call(c.method, c.args);
        EXPECT_EQ(reply.type(), QDBusMessage::ErrorMessage) << c.what;
        EXPECT_EQ(reply.errorName(), QString(api::kErrorPrefix) + c.error) << c.what;
        EXPECT_FALSE(reply.errorMessage().isEmpty()) << c.what;
    }
    // The words BuildMessage gives the command line for the same number.
    const Ran pdu = Cli({"pdu", "text", "not a number", "Hi"});
    const QDBusMessage refused = Call("SendText", {QStringList{"not a number"}, "Hi", noOptions});
    ASSERT_FALSE(refused.errorMessage().isEmpty());
    EXPECT_NE(pdu.err.find(refused.errorMessage().toStdString()), std::string::npos)
        << pdu.err << " / " << refused.errorMessage().toStdString();
    // Nothing of the refused was queued.
    const auto all = client.list({});
    ASSERT_TRUE(all);
    EXPECT_EQ(all.value().size(), 1);
}

// The object's own introspection and the description the package installs
// are the same interface: every method and signal, each argument's name,
// type and direction. (The names of what a Qt method returns are not told
// by Qt; the types are.)
TEST_F(BusTest, InterfaceIsTheInstalledDescription) {
    const auto methods = [](const QString& xml) {
        // A member's arguments in, then out, each in their order.
        std::map<std::string, std::string> found, outs;
        QXmlStreamReader r(xml);
        QString interface, member, kind;
        while (!r.atEnd()) {
            r.readNext();
            if (r.isEndElement() && (r.name() == u"method" || r.name() == u"signal"))
                member.clear();
            if (!r.isStartElement())
                continue;
            const auto a = r.attributes();
            if (r.name() == u"interface") {
                interface = a.value("name").toString();
            } else if ((r.name() == u"method" || r.name() == u"signal") &&
                       interface == api::kMessagesInterface) {
                kind = r.name().toString();
                member = kind + " " + a.value("name").toString();
                found[member.toStdString()];
            } else if (r.name() == u"arg" && !member.isEmpty()) {
                const QString direction = a.hasAttribute("direction") ? a.value("direction").toString()
                                          : kind == u"signal"         ? QStringLiteral("out")
                                                                      : QStringLiteral("in");
                const bool named = direction == u"in" || kind == u"signal";
                (direction == u"in" ? found : outs)[member.toStdString()] +=
                    (direction + " " + a.value("type").toString() + " " +
                     (named ? a.value("name").toString() : QString()) + "; ")
                        .toStdString();
            }
        }
        for (const auto& [name, args] : outs)
            found[name] += args;
        return found;
    };
    QFile file(VELMORA_BUS_XML);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const auto installed = methods(QString::fromUtf8(file.readAll()));
    const QDBusMessage reply = QDBusConnection::sessionBus().call(QDBusMessage::createMethodCall(
        api::kBusName, api::kObjectPath, "org.freedesktop.DBus.Introspectable", "Introspect"));
    ASSERT_EQ(reply.type(), QDBusMessage::ReplyMessage) << reply.errorMessage().toStdString();
    const auto registered = methods(reply.arguments().value(0).toString());
    EXPECT_GE(installed.size(), 10u);
    EXPECT_EQ(registered, installed);
}

// A second daemon on the same bus does not fight the first for its modems
// or its name: it says so and ends with status 1, touching no modem; the
// first goes on answering.
TEST_F(BusTest, SecondDaemonFindsTheNameTaken) {
    SimPhone other({"--imei", "356938035643809"});
    const std::string conf = m_dir + "/second.conf";
    Write(conf, "[Store]\nPath=" + m_dir + "/second.sqlite\n[Modem b]\nDevice=" + other.device() + "\n");
    QProcess second;
    EndsWithTheTest(second);
    second.setProcessEnvironment(m_env);
    second.setStandardErrorFile(QString::fromStdString(m_dir + "/second.log"));
    second.start(VELMORAD, {"--config", QString::fromStdString(conf)});
    ASSERT_TRUE(second.waitForFinished(15000));
    EXPECT_EQ(second.exitCode(), 1);
    const std::string said = All(m_dir + "/second.log");
    EXPECT_NE(
        said.find("not started: another Velmora program answers as org.velmora.Velmora1 on the session bus"),
        std::string::npos)
        << said;
    EXPECT_EQ(said.find("modem b"), std::string::npos) << said;
    BusClient client(QDBusConnection::sessionBus(), QDBusConnection::SessionBus);
    const auto who = client.identity();
    ASSERT_TRUE(who);
    EXPECT_EQ(who.value().value("program").toString(), "velmorad");
    EXPECT_EQ(who.value().value("modems").toArray(), QJsonArray{"a"});
}

// A box with no session bus: the daemon runs its modems and says once that
// other programs cannot reach it.
TEST(BusAbsent, DaemonRunsWithoutABusAndSaysSoOnce) {
    MakeApp();
    SimPhone phone({"--imei", "354812345678908"});
    const std::string dir = TempDir("velmora-nobus");
    Write(dir + "/velmorad.conf", "[Modem a]\nDevice=" + phone.device() + "\n");
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("VELMORA_DIR", QString::fromStdString(dir));
    env.insert("DBUS_SESSION_BUS_ADDRESS", QString::fromStdString("unix:path=" + dir + "/no-bus"));
    env.insert("LANG", "C.UTF-8");
    for (const char* gone : {"LANGUAGE", "LC_ALL", "JOURNAL_STREAM", "NOTIFY_SOCKET", "DISPLAY"})
        env.remove(gone);
    QProcess daemon;
    EndsWithTheTest(daemon);
    daemon.setProcessEnvironment(env);
    daemon.setStandardErrorFile(QString::fromStdString(dir + "/log"));
    daemon.start(VELMORAD, {"--config", QString::fromStdString(dir + "/velmorad.conf")});
    ASSERT_TRUE(daemon.waitForStarted(5000));
    ASSERT_TRUE(LogSays(dir + "/log", "info: modem a: IMEI", 15000)) << All(dir + "/log");
    daemon.terminate();
    ASSERT_TRUE(daemon.waitForFinished(12000));
    EXPECT_EQ(daemon.exitCode(), 0);
    const std::string said = All(dir + "/log");
    const auto first = said.find("no D-Bus session bus");
    EXPECT_NE(first, std::string::npos) << said;
    EXPECT_EQ(said.find("no D-Bus session bus", first + 1), std::string::npos) << said;
}

// The system's service on a bus whose policy lets no one call it, as for
// a user outside the group velmora: velmora-cli works alone, as without
// it, and says why in one line, on a phone the daemon does not hold.
TEST(BusRefused, CliWorksAloneWhenTheDaemonRefusesTheUser) {
    MakeApp();
    const std::string dir = TempDir("velmora-refused");
    Write(dir + "/bus.conf",
          "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
          " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
          "<busconfig><type>session</type><listen>unix:path=" +
              dir +
              "/system_bus</listen><auth>EXTERNAL</auth>\n"
              "<policy context=\"default\"><allow user=\"*\"/><allow own=\"*\"/>"
              "<allow send_type=\"method_call\"/><allow send_type=\"signal\"/>"
              "<allow send_requested_reply=\"true\" send_type=\"method_return\"/>"
              "<allow send_requested_reply=\"true\" send_type=\"error\"/>"
              "<allow receive_type=\"method_call\"/><allow receive_type=\"method_return\"/>"
              "<allow receive_type=\"error\"/><allow receive_type=\"signal\"/>"
              "<deny send_destination=\"org.velmora.Velmora1\"/></policy></busconfig>\n");
    QProcess bus;
    EndsWithTheTest(bus);
    bus.start("dbus-daemon", {"--config-file", QString::fromStdString(dir + "/bus.conf"), "--nofork",
                              "--nopidfile", "--print-address=1"});
    ASSERT_TRUE(bus.waitForStarted(5000) && bus.waitForReadyRead(5000));
    const QString address = QString::fromUtf8(bus.readLine()).trimmed();
    SimPhone held({"--imei", "354812345678908"});
    SimPhone own({"--imei", "356938035643809"});
    Write(dir + "/velmorad.conf",
          "[Store]\nPath=" + dir + "/daemon.sqlite\n[Modem a]\nDevice=" + held.device() + "\n");
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("VELMORA_DIR", QString::fromStdString(dir));
    env.insert("DBUS_SYSTEM_BUS_ADDRESS", address);
    env.insert("DBUS_SESSION_BUS_ADDRESS", QString::fromStdString("unix:path=" + dir + "/no-bus"));
    env.insert("LANG", "C.UTF-8");
    for (const char* gone : {"LANGUAGE", "LC_ALL", "JOURNAL_STREAM", "NOTIFY_SOCKET"})
        env.remove(gone);
    QProcess daemon;
    EndsWithTheTest(daemon);
    daemon.setProcessEnvironment(env);
    daemon.setStandardErrorFile(QString::fromStdString(dir + "/log"));
    daemon.start(VELMORAD, {"--config", QString::fromStdString(dir + "/velmorad.conf"), "--system-bus"});
    ASSERT_TRUE(LogSays(dir + "/log", "on the system bus", 15000)) << All(dir + "/log");

    QProcess cli;
    cli.setProcessEnvironment(env);
    cli.start(VELMORA_CLI, {"send", "--fast", "--device", QString::fromStdString(own.device()), "--store",
                            QString::fromStdString(dir + "/own.sqlite"), "text", "0812345678", "Hi"});
    ASSERT_TRUE(cli.waitForFinished(30000));
    const std::string err = cli.readAllStandardError().toStdString();
    EXPECT_EQ(cli.exitCode(), 0) << err;
    EXPECT_EQ(cli.readAllStandardOutput().toStdString(), "Message 1\nMessage Sent\n");
    EXPECT_EQ(err, "velmora-cli: not through the running Velmora program: this user may not call the running "
                   "Velmora program (on the system bus only the group velmora may); working alone\n");
    daemon.terminate();
    daemon.waitForFinished(12000);
}

} // namespace
} // namespace velmora::testing
