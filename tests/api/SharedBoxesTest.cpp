// Two boxes, one outbox: two velmorad on one PostgreSQL store, two
// simulated modems each. A batch goes out over all four modems; one daemon
// killed in mid-batch and started again loses nothing and sends nothing
// twice, and takes its own modems back at once. Runs on the pg run only
// (api_boxes_tests_pg).

#include "ApiWorld.h"
#include "MessageRequest.h"
#include "MessageService.h"
#include "MessageStore.h"
#include "PgTest.h"
#include "SimPhone.h"

#include <QDir>
#include <QProcess>

#include <csignal>
#include <map>
#include <set>

#include <gtest/gtest.h>

namespace velmora::testing {
namespace {

class Box {
public:
    Box(const QString& name, const QString& folder, const QString& store,
        const std::vector<std::string>& devices)
        : m_folder(folder) {
        QDir().mkpath(folder);
        QString conf;
        for (std::size_t i = 0; i < devices.size(); ++i)
            conf += QStringLiteral("[Modem %1%2]\nDevice=%3\n")
                        .arg(name)
                        .arg(i + 1)
                        .arg(QString::fromStdString(devices[i]));
        conf += QStringLiteral("[Store]\nUrl=%1\nLeaseSeconds=10\n").arg(store);
        Write(folder + QStringLiteral("/velmorad.conf"), conf.toUtf8());
    }
    ~Box() { Stop(SIGTERM); }
    void Start() {
        m_daemon = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("VELMORA_DIR"), m_folder);
        env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"),
                   QStringLiteral("unix:path=") + m_folder + "/no-bus");
        env.remove(QStringLiteral("JOURNAL_STREAM"));
        env.remove(QStringLiteral("NOTIFY_SOCKET"));
        m_daemon->setProcessEnvironment(env);
        m_daemon->setStandardErrorFile(m_folder + QStringLiteral("/log"), QIODevice::Append);
        m_daemon->start(QStringLiteral(VELMORAD), {QStringLiteral("--config"), m_folder + "/velmorad.conf"});
        m_daemon->waitForStarted(5000);
    }
    void Stop(int signal) {
        if (!m_daemon)
            return;
        // (Never kill(0): a daemon that already ended has no id.)
        if (m_daemon->processId() > 0)
            ::kill(static_cast<pid_t>(m_daemon->processId()), signal);
        m_daemon->waitForFinished(12000);
        m_daemon.reset();
    }
    QByteArray Log() const { return Bytes(m_folder + QStringLiteral("/log")); }

private:
    QString m_folder;
    std::unique_ptr<QProcess> m_daemon;
};

TEST(SharedBoxes, ABatchGoesOverFourModemsAndAKilledBoxLosesNothingNorSendsTwice) {
    if (!OnPg())
        GTEST_SKIP() << "about a shared server";
    App();
    QTemporaryDir dir;
    const QString store = FreshPgStore();
    constexpr int kMessages = 40;
    {
        auto opened = MessageStore::Open(store);
        ASSERT_TRUE(opened) << opened.error();
        BatchRecord batch;
        batch.name = QStringLiteral("rapat");
        batch.key = QStringLiteral("rapat");
        batch.state = msg::BatchState::Active;
        // Each to its own number, built as the program builds them: the
        // phones' records tell them apart.
        std::vector<MessageRecord> messages;
        for (int i = 0; i < kMessages; ++i) {
            MessageRequest request;
            request.destination = "+62812" + std::to_string(100000 + i);
            request.text = u"Rapat jam 9";
            const auto built = BuildMessage(request);
            ASSERT_TRUE(built);
            messages.push_back(OutgoingRecord(request, *built, ModemId{}));
        }
        ASSERT_TRUE((*opened)->AddBatch(batch, messages));
    }
    std::vector<std::unique_ptr<SimPhone>> phones;
    std::vector<QString> records;
    for (int i = 0; i < 4; ++i) {
        records.push_back(dir.filePath(QStringLiteral("phone%1.pdus").arg(i)));
        phones.push_back(std::make_unique<SimPhone>(
            std::vector<std::string>{"--imei", "35481234567890" + std::to_string(i), "--network-delay", "300",
                                     "--record", records.back().toStdString()}));
        ASSERT_FALSE(phones.back()->device().empty());
    }
    Box a(QStringLiteral("a"), dir.filePath(QStringLiteral("a")), store,
          {phones[0]->device(), phones[1]->device()});
    Box b(QStringLiteral("b"), dir.filePath(QStringLiteral("b")), store,
          {phones[2]->device(), phones[3]->device()});
    a.Start();
    b.Start();

    auto reading = MessageStore::Open(store, MessageStore::Access::Read);
    ASSERT_TRUE(reading) << reading.error();
    MessageStore& s = **reading;
    const auto count = [&](msg::State state) {
        HistoryQuery q;
        q.state = state;
        return s.Count(q);
    };
    // Killed in mid-batch, and started again at once.
    ASSERT_TRUE(Until([&] { return count(msg::State::Sent) >= 12; }, 30000)) << a.Log().toStdString();
    a.Stop(SIGKILL);
    a.Start();
    const bool done =
        Until([&] { return count(msg::State::Queued) == 0 && count(msg::State::Sending) == 0; }, 60000);
    a.Stop(SIGTERM);
    b.Stop(SIGTERM);
    ASSERT_TRUE(done) << a.Log().toStdString() << b.Log().toStdString();

    std::vector<QByteArray> pdus;
    for (const QString& r : records)
        for (const QByteArray& line : Bytes(r).split('\n'))
            if (!line.trimmed().isEmpty())
                pdus.push_back(line.trimmed());
    const std::set<QByteArray> distinct(pdus.begin(), pdus.end());
    EXPECT_EQ(distinct.size(), pdus.size()) << "a message went twice";
    const int sent = count(msg::State::Sent);
    const int uncertain = count(msg::State::Uncertain);
    EXPECT_EQ(sent + uncertain, kMessages) << "a message was lost";
    EXPECT_LE(uncertain, 2) << "at most what box a's two modems had on their way";
    EXPECT_GE(static_cast<int>(pdus.size()), sent);
    // Every modem of both boxes sent some; box a took its own back.
    std::map<QString, int> byModem;
    for (const MessageRecord& m : s.Messages({}))
        ++byModem[m.modem];
    for (const char* modem : {"a1", "a2", "b1", "b2"})
        EXPECT_GT(byModem[QString::fromLatin1(modem)], 0) << modem;
    EXPECT_FALSE(a.Log().contains("not opened")) << a.Log().toStdString();
}

} // namespace
} // namespace velmora::testing
