// MessageApi over a message centre: what a request queues or refuses (and
// that a refusal queues nothing), keys, cancelling, the cursor, and the
// signals, for the centre's own changes at once and for another program's
// through the store.

#include "MessageApi.h"
#include "EventLoop.h"
#include "MessageCentre.h"
#include "MessageStore.h"
#include "SimPhone.h"
#include "StoreFixtures.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QThread>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace velmora::testing {
namespace {

QCoreApplication& App() { return TestApp("service_centre_tests"); }

class Api : public ::testing::Test {
protected:
    Api() : dir(TempDir("api")) {
        App();
        CentreSetup setup;
        setup.paths.transmitLog = dir + "/Tr_smsn.Txt";
        setup.paths.failedLog = dir + "/Fl_smsn.Txt";
        setup.paths.receivedLog = dir + "/Received.Txt";
        setup.paths.messageStore = dir + "/messages.sqlite";
        centre = std::make_unique<MessageCentre>(std::move(setup));
        centre->open();
        api = std::make_unique<MessageApi>(*centre);
    }
    ~Api() override {
        api.reset();
        centre.reset();
        std::filesystem::remove_all(dir);
    }
    MessageStore& store() { return *centre->store(); }

    std::string dir;
    std::unique_ptr<MessageCentre> centre;
    std::unique_ptr<MessageApi> api;
};

QJsonObject Text(const char* text) { return {{"kind", "text"}, {"text", QString::fromUtf8(text)}}; }

TEST_F(Api, aRefusedRequestQueuesNothing) {
    QStringList many;
    for (int i = 0; i <= MessageApi::kMaxRecipients; ++i)
        many << QStringLiteral("62812%1").arg(i);
    SubmitOptions longKey;
    longKey.key = QString(MessageApi::kMaxKey + 1, QLatin1Char('k'));
    SubmitOptions noModem;
    noModem.modem = QStringLiteral("office");
    SubmitOptions expired;
    expired.expire = QDateTime::currentDateTimeUtc().addSecs(-1);
    // 255 parts each: 40 of them pass the parts one request may queue.
    QStringList forty;
    for (int i = 0; i < 40; ++i)
        forty << QStringLiteral("62813%1").arg(i);
    const QJsonObject longest{
        {"kind", "text"}, {"text", QString(255 * 153, QLatin1Char('a'))}, {"longText", true}};
    const struct {
        const char* name;
        QStringList to;
        QJsonObject message;
        SubmitOptions options;
        ApiError::Code code;
        const char* words;
    } rows[] = {
        {"no recipient", {}, Text("Halo"), {}, ApiError::BadRequest, "no recipient"},
        {"too many recipients", many, Text("Halo"), {}, ApiError::BadRequest, "at most 1000"},
        {"a key too long", {"6281"}, Text("Halo"), longKey, ApiError::BadRequest, "longer than 200"},
        {"an unknown modem", {"6281"}, Text("Halo"), noModem, ApiError::BadRequest, "\"office\""},
        {"expired already", {"6281"}, Text("Halo"), expired, ApiError::BadRequest, "expire"},
        {"an unknown field",
         {"6281"},
         {{"kind", "text"}, {"txt", "Halo"}},
         {},
         ApiError::BadRequest,
         "\"txt\""},
        {"no kind", {"6281"}, {{"text", "Halo"}}, {}, ApiError::BadRequest, "kind"},
        {"a field of the wrong kind",
         {"6281"},
         {{"kind", "text"}, {"flash", "yes"}},
         {},
         ApiError::BadRequest,
         "field"},
        // BuildMessage's own words, for the second recipient: the first is
        // not queued either.
        {"a number that is none", {"6281", "Budi"}, Text("Halo"), {}, ApiError::Refused, "Budi: "},
        {"a text no message holds",
         {"6281"},
         {{"kind", "text"}, {"text", "日本"}},
         {},
         ApiError::Refused,
         ""},
        {"a text longer than 255 messages",
         {"6281"},
         {{"kind", "text"}, {"text", QString(255 * 160 + 1, QLatin1Char('a'))}, {"longText", true}},
         {},
         ApiError::Refused,
         "longer than any message"},
        {"a kind there is not", {"6281"}, {{"kind", "fax"}}, {}, ApiError::BadRequest, "kind"},
        {"more parts than one request queues", forty, longest, {}, ApiError::Refused, "10200 parts"},
    };
    for (const auto& row : rows) {
        const auto sent = api->submit(row.to, row.message, row.options);
        ASSERT_FALSE(sent) << row.name;
        EXPECT_EQ(sent.error().code, row.code) << row.name;
        EXPECT_TRUE(sent.error().why.contains(QString::fromUtf8(row.words)))
            << row.name << ": " << sent.error().why.toStdString();
        EXPECT_FALSE(sent.error().why.isEmpty()) << row.name;
    }
    EXPECT_EQ(store().Count({}), 0);
    EXPECT_EQ(store().LastEventSeq(), 0);
}

TEST_F(Api, aKeyQueuesOnceAndACancelAfterTheMessageLeftIsAConflict) {
    QSignalSpy changed(api.get(), &MessageApi::stateChanged);
    std::vector<qint64> seqs;
    QObject::connect(api.get(), &MessageApi::stateChanged, api.get(),
                     [&] { seqs.push_back(api->telling()); });
    SubmitOptions options;
    options.key = QStringLiteral("order-17");
    const auto first = api->submitText({"6281", "6282"}, QStringLiteral("Halo 😀"), options);
    ASSERT_TRUE(first) << first.error().why.toStdString();
    ASSERT_EQ(first->ids.size(), 2u);
    EXPECT_FALSE(first->again);
    // Told before the call returns.
    ASSERT_EQ(changed.size(), 2);
    EXPECT_EQ(changed[0][0].toLongLong(), first->ids[0]);
    EXPECT_EQ(changed[0][1].toString(), "queued");
    EXPECT_EQ(changed[0][3].toUInt(), 0u);
    // Each told with its event's place in the sequence.
    EXPECT_EQ(seqs, std::vector<qint64>({1, 2}));
    EXPECT_EQ(api->telling(), 0);
    const auto again = api->submitText({"6283"}, QStringLiteral("Lain"), options);
    ASSERT_TRUE(again);
    EXPECT_TRUE(again->again);
    EXPECT_EQ(again->ids, first->ids);
    // A retry whose expire time passed since, or whose modem is gone, is
    // the same request all the same: answered, not refused.
    for (const auto& changed_since :
         {std::pair{QStringLiteral(""), -1}, std::pair{QStringLiteral("office"), 0}}) {
        SubmitOptions retry = options;
        retry.modem = changed_since.first;
        if (changed_since.second)
            retry.expire = QDateTime::currentDateTimeUtc().addSecs(changed_since.second);
        const auto late = api->submitText({"6281", "6282"}, QStringLiteral("Halo 😀"), retry);
        ASSERT_TRUE(late) << late.error().why.toStdString();
        EXPECT_TRUE(late->again);
        EXPECT_EQ(late->ids, first->ids);
    }
    EXPECT_EQ(store().Count({}), 2);

    const auto got = api->get(first->ids[0]);
    ASSERT_TRUE(got);
    EXPECT_EQ(got->state, msg::State::Queued);
    EXPECT_EQ(got->request.value("text").toString(), QStringLiteral("Halo 😀"));
    EXPECT_EQ(api->get(first->ids[1] + 100).error().code, ApiError::NotFound);

    ASSERT_TRUE(api->cancel(first->ids[0]));
    EXPECT_EQ(changed.last()[1].toString(), "cancelled");
    EXPECT_EQ(api->cancel(first->ids[0]).error().code, ApiError::Conflict);
    // Taken by another program's modem between the two.
    ASSERT_TRUE(store().Claim(first->ids[1]).value());
    const auto late = api->cancel(first->ids[1]);
    ASSERT_FALSE(late);
    EXPECT_EQ(late.error().code, ApiError::Conflict);
    EXPECT_EQ(api->cancel(first->ids[1] + 100).error().code, ApiError::NotFound);

    const auto out = api->after(0, msg::Direction::Out, 10);
    ASSERT_TRUE(out);
    ASSERT_EQ(out->messages.size(), 2u);
    EXPECT_EQ(out->messages[0].id, first->ids[0]);
    EXPECT_EQ(out->messages[1].id, first->ids[1]);
    EXPECT_TRUE(api->after(0, msg::Direction::In, 10)->messages.empty());
    EXPECT_EQ(api->after(0, {}, 0).error().code, ApiError::BadRequest);
}

// No modem would take it: its time runs out all the same, and is told.
TEST_F(Api, aMessageExpiresWhileNoModemTakesIt) {
    QSignalSpy changed(api.get(), &MessageApi::stateChanged);
    SubmitOptions options;
    options.expire = QDateTime::currentDateTimeUtc().addMSecs(300);
    const auto sent = api->submitText({"6281"}, QStringLiteral("Diskon hari ini"), options);
    ASSERT_TRUE(sent) << sent.error().why.toStdString();
    ASSERT_TRUE(Until([&] { return changed.size() == 2; }, 5000));
    EXPECT_EQ(changed[1][0].toLongLong(), sent->ids.front());
    EXPECT_EQ(changed[1][1].toString(), "failed");
    EXPECT_EQ(changed[1][2].toString(), "expired");
    EXPECT_EQ(store().Message(sent->ids.front())->reason, msg::Reason::Expired);
}

// What another program writes to the store is told within the poll.
TEST_F(Api, anotherProgramsChangesAreToldFromTheStore) {
    QSignalSpy changed(api.get(), &MessageApi::stateChanged);
    QSignalSpy received(api.get(), &MessageApi::received);
    QSignalSpy moved(api.get(), &MessageApi::eventsAdded);
    auto other = MessageStore::Open(store().path());
    ASSERT_TRUE(other);
    const QDateTime when = QDateTime::currentDateTimeUtc();
    const QString pdu = Deliver(QStringLiteral("6281234567"), QStringLiteral("Halo"), when);
    const auto in = other.value()->AddReceived({"", "/dev/ttyUSB1", "warehouse"}, "SM", 1, pdu, when);
    ASSERT_TRUE(in) << in.error();
    ASSERT_TRUE(Until([&] { return received.size() == 1; }, 3000));
    EXPECT_EQ(received[0][0].toLongLong(), in->id);
    EXPECT_EQ(received[0][1].toString(), "warehouse");
    EXPECT_EQ(received[0][2].toString(), "+6281234567");
    EXPECT_EQ(received[0][3].toString(), "Halo");
    EXPECT_EQ(changed.size(), 0);
    ASSERT_GE(moved.size(), 1);
    EXPECT_EQ(moved.last()[0].toLongLong(), store().LastEventSeq());
}

// Made before its centre opened the store: what the store held is history
// all the same, and what is queued after is told.
TEST_F(Api, aStoreOpenedLaterIsNotRetold) {
    const QString path = QString::fromStdString(dir + "/later.sqlite");
    {
        auto before = MessageStore::Open(path);
        ASSERT_TRUE(before);
        MessageRecord old;
        old.number = QStringLiteral("6281");
        old.kind = QStringLiteral("text");
        old.parts.push_back({});
        ASSERT_TRUE(before.value()->AddQueuedKeyed({old}));
    }
    CentreSetup setup;
    setup.paths.receivedLog = dir + "/none.Txt";
    setup.storePath = path;
    MessageCentre later(std::move(setup));
    MessageApi early(later);
    QSignalSpy changed(&early, &MessageApi::stateChanged);
    later.open();
    early.pump();
    EXPECT_EQ(changed.size(), 0);
    const auto sent = early.submitText({"6282"}, QStringLiteral("Halo"), {});
    ASSERT_TRUE(sent) << sent.error().why.toStdString();
    ASSERT_EQ(changed.size(), 1);
    EXPECT_EQ(changed[0][0].toLongLong(), sent->ids.front());
}

// Through a simulated modem: each step as the centre takes it, a part as
// the phone answers it, and the message asked a report of when told to.
TEST_F(Api, aMessageIsFollowedPartByPartThroughItsModem) {
    const std::string record = dir + "/office.pdus";
    SimPhone sim({"--record", record});
    ModemConfig config;
    config.name = QStringLiteral("office");
    config.device = QString::fromStdString(sim.device());
    ModemChannel* office = centre->addModem(config);
    ASSERT_NE(office, nullptr);
    ASSERT_TRUE(Until([&] { return office->link()->isUp(); }));
    QSignalSpy changed(api.get(), &MessageApi::stateChanged);
    SubmitOptions options;
    options.modem = QStringLiteral("office");
    options.report = true;
    const auto sent = api->submitText({"628129876543"}, QString(200, QLatin1Char('a')), options);
    ASSERT_TRUE(sent) << sent.error().why.toStdString();
    const qint64 id = sent->ids.front();
    ASSERT_TRUE(Until([&] { return store().Message(id)->state == msg::State::Sent; }));
    ASSERT_TRUE(Until([&] { return !changed.isEmpty() && changed.last()[1].toString() == "sent"; }, 3000));
    QStringList told;
    for (const auto& c : changed)
        told << QStringLiteral("%1 %2 %3").arg(c[1].toString(), c[2].toString()).arg(c[3].toUInt());
    EXPECT_EQ(told, QStringList({"queued  0", "sending  0", "sending sent 1", "sending sent 2", "sent  0"}));
    EXPECT_EQ(store().Message(id)->modem, "office");
    // TP-SRR (0x20) in each PDU's first octet after the centre's address.
    std::ifstream in(record);
    int parts = 0;
    for (std::string line; std::getline(in, line);) {
        if (line.empty())
            continue;
        ++parts;
        const int smsc = std::stoi(line.substr(0, 2), nullptr, 16);
        const int first = std::stoi(line.substr(2 + 2 * smsc, 2), nullptr, 16);
        EXPECT_TRUE(first & 0x20) << line;
    }
    EXPECT_EQ(parts, 2);
}

} // namespace
} // namespace velmora::testing
