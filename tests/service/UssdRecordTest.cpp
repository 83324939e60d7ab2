// A USSD session in the message store: there from its first line, each line
// on disk as it comes, its end said as a state.

#include "UssdRecord.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace velmora {
namespace {

class UssdStore : public ::testing::Test {
protected:
    std::unique_ptr<MessageStore> Open() {
        auto store = MessageStore::Open(dir.filePath(QStringLiteral("messages.sqlite")));
        EXPECT_TRUE(store) << store.error();
        return store ? std::move(store.value()) : nullptr;
    }
    QTemporaryDir dir;
    const ModemId modem{QStringLiteral("510109876543210"), QStringLiteral("/dev/ttyUSB0")};
};

TEST_F(UssdStore, EachLineIsOnDiskAsItComes) {
    auto store = Open();
    ASSERT_TRUE(store);
    UssdRecord record(store.get(), QStringLiteral("*888#"), modem);
    ASSERT_GT(record.id(), 0) << record.problem().toStdString();
    record.Add(QStringLiteral("> *888#"));
    record.Add(QStringLiteral("1. Paket data\n2. Pulsa"));
    // Another program (the history, after this one is killed) reads it all.
    auto other = Open();
    ASSERT_TRUE(other);
    const auto seen = other->Message(record.id());
    ASSERT_TRUE(seen);
    EXPECT_EQ(seen->kind, "ussd");
    EXPECT_EQ(seen->number, "*888#");
    EXPECT_EQ(seen->text, "> *888#\n1. Paket data\n2. Pulsa");
    EXPECT_EQ(seen->state, msg::State::Sending);
    EXPECT_EQ(seen->modemImsi, modem.imsi);
    EXPECT_EQ(seen->direction, msg::Direction::Out);
    // Found by what the network said, and under the code.
    HistoryQuery byWord;
    byWord.search = QStringLiteral("paket");
    ASSERT_EQ(other->Messages(byWord).size(), 1u);
    HistoryQuery byCode;
    byCode.number = QStringLiteral("*888#");
    EXPECT_EQ(other->Messages(byCode).size(), 1u);

    record.Add(QStringLiteral("> 1"));
    record.Add(QStringLiteral("Paket data 2GB aktif"));
    record.Finish(UssdEnding{});
    const auto done = other->Message(record.id());
    ASSERT_TRUE(done);
    EXPECT_EQ(done->state, msg::State::Sent);
    EXPECT_TRUE(done->text.endsWith("> 1\nPaket data 2GB aktif"));
    byWord.search = QStringLiteral("2GB");
    EXPECT_EQ(other->Messages(byWord).size(), 1u);
    EXPECT_TRUE(record.problem().isEmpty());
}

TEST_F(UssdStore, WithoutAStoreTheSessionGoesOnUnkept) {
    UssdRecord record(nullptr, QStringLiteral("*123#"), modem);
    record.Add(QStringLiteral("> *123#"));
    record.Finish(UssdEnding{});
    EXPECT_EQ(record.id(), 0);
    EXPECT_EQ(record.transcript(), "> *123#");
    EXPECT_TRUE(record.problem().isEmpty());
}

TEST_F(UssdStore, ADeletedSessionIsNotBroughtBack) {
    auto store = Open();
    ASSERT_TRUE(store);
    UssdRecord record(store.get(), QStringLiteral("*123#"), modem);
    ASSERT_TRUE(store->Delete(record.id()));
    record.Add(QStringLiteral("> *123#"));
    EXPECT_FALSE(store->Message(record.id()));
    EXPECT_EQ(store->Count(HistoryQuery{}), 0);
}

TEST(UssdEnding, SaysHowTheSessionEnded) {
    using K = UssdAnswer::Kind;
    const struct {
        K last;
        std::string detail;
        bool cancelled;
        msg::State state;
        msg::Reason reason;
        std::optional<int> code;
    } cases[] = {
        {K::Done, "", false, msg::State::Sent, msg::Reason::None, 0},
        {K::Asks, "", true, msg::State::Sent, msg::Reason::None, 1}, // a menu left with Ctrl-C
        {K::EndedByNetwork, "", false, msg::State::Sent, msg::Reason::None, 2},
        {K::NotSupported, "", false, msg::State::Failed, msg::Reason::None, 4},
        {K::NetworkTimeout, "", false, msg::State::Sent, msg::Reason::None, 5},
        {K::Refused, "+CME ERROR: 100 (unknown)", false, msg::State::Failed, msg::Reason::CmeError, 100},
        {K::Refused, "+CME ERROR: SIM busy", false, msg::State::Failed, msg::Reason::CmeError, std::nullopt},
        {K::Refused, "ERROR", false, msg::State::Failed, msg::Reason::Error, std::nullopt},
        {K::NoAnswer, "", false, msg::State::Failed, msg::Reason::NoAnswer, std::nullopt},
        {K::NoAnswer, "", true, msg::State::Failed, msg::Reason::Stopped, std::nullopt},
        {K::Stopped, "", false, msg::State::Failed, msg::Reason::Stopped, std::nullopt},
        {K::LinkLost, "", false, msg::State::Uncertain, msg::Reason::LinkLost, std::nullopt},
        {K::NeedsFast, "", false, msg::State::Failed, msg::Reason::NotConnected, std::nullopt},
    };
    for (const auto& c : cases) {
        UssdAnswer last;
        last.kind = c.last;
        last.detail = c.detail;
        const UssdEnding e = UssdEndingOf(last, c.cancelled);
        EXPECT_EQ(e.state, c.state) << static_cast<int>(c.last) << c.cancelled;
        EXPECT_EQ(e.reason, c.reason) << static_cast<int>(c.last) << c.cancelled;
        EXPECT_EQ(e.code, c.code) << static_cast<int>(c.last) << c.cancelled;
    }
}

} // namespace
} // namespace velmora
