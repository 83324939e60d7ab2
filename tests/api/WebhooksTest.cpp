// [Webhooks]: each event posted, signed, to a receiver on loopback that
// fails before it accepts; the pauses between attempts on an injected
// clock; exactly one accepted delivery an event; the queue kept across a
// restart; the store's order of deliveries when one keeps failing; and two
// programs on one server's store, of which one posts.

#include "Webhooks.h"
#include "ApiWorld.h"

#include "PgTest.h"
#include "WebReceiver.h"

#include <QCryptographicHash>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace velmora::testing {
namespace {

using api::Webhooks;

// HMAC-SHA256 as RFC 2104 defines it, from the hash alone: the check does
// not lean on the code it checks.
QByteArray Hmac(QByteArray key, const QByteArray& message) {
    const auto sha = [](const QByteArray& b) {
        return QCryptographicHash::hash(b, QCryptographicHash::Sha256);
    };
    if (key.size() > 64)
        key = sha(key);
    key.resize(64, '\0');
    QByteArray inner(64, '\0'), outer(64, '\0');
    for (int i = 0; i < 64; ++i) {
        inner[i] = static_cast<char>(key[i] ^ 0x36);
        outer[i] = static_cast<char>(key[i] ^ 0x5c);
    }
    return sha(outer + sha(inner + message)).toHex();
}

TEST(WebhookSignature, IsHmacSha256OverTheBody) {
    // RFC 4231, test case 2.
    EXPECT_EQ(Hmac("Jefe", "what do ya want for nothing?"),
              "5bdcc146bf60754e6a042426089575c75a003f089d2739839dec58b964ec3843");
    EXPECT_EQ(Webhooks::Signature("Jefe", "what do ya want for nothing?"),
              "sha256=5bdcc146bf60754e6a042426089575c75a003f089d2739839dec58b964ec3843");
    const QByteArray longKey(100, 'k');
    EXPECT_EQ(Webhooks::Signature(longKey, "{}"), "sha256=" + Hmac(longKey, "{}"));
}

TEST(WebhookPauses, DoubleFromAMinuteUpToADay) {
    const struct {
        int attempts;
        qint64 minutes;
    } pauses[] = {{1, 1}, {2, 2}, {3, 4}, {4, 8}, {11, 1024}, {12, 1440}, {13, 1440}, {1000, 1440}};
    for (const auto& p : pauses)
        EXPECT_EQ(Webhooks::PauseAfter(p.attempts), p.minutes * 60 * 1000) << p.attempts;
}

class Webhook : public ::testing::Test {
protected:
    Webhook() {
        secret = world.path(QStringLiteral("secret"));
        Write(secret, "s3cret-of-the-shop\n");
        QFile::setPermissions(secret, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        config.url = receiver.url();
        config.secretFile = secret;
    }
    // A Webhooks on the world's store and the fake clock.
    std::unique_ptr<Webhooks> Start() { return Start(world); }
    std::unique_ptr<Webhooks> Start(ApiWorld& on) {
        auto hooks = std::make_unique<Webhooks>(*on.api, on.store(), config);
        hooks->setClock([this] { return now; });
        hooks->setTimeoutMs(300);
        QObject::connect(hooks.get(), &Webhooks::attempted, [this](qint64, bool ok) {
            ++attempts;
            delivered += ok ? 1 : 0;
        });
        const auto started = hooks->start();
        EXPECT_TRUE(started) << started.error().toStdString();
        return hooks;
    }
    std::vector<WebhookDelivery> Rows() { return Rows(world.store()); }
    std::vector<WebhookDelivery> Rows(MessageStore& store) {
        const auto rows = store.WebhookDeliveries();
        EXPECT_TRUE(rows);
        return rows ? rows.value() : std::vector<WebhookDelivery>{};
    }
    // The requests the receiver accepted, by the event's seq.
    std::map<qint64, int> Accepted() const {
        std::map<qint64, int> out;
        for (const WebRequest& r : receiver.requests)
            if (r.answered == 200)
                ++out[QJsonDocument::fromJson(r.body).object().value(QLatin1String("seq")).toInteger()];
        return out;
    }

    ApiWorld world;
    WebReceiver receiver;
    QString secret;
    WebhookConfig config;
    QDateTime now = Utc("2026-12-10T08:00:00Z");
    int attempts = 0, delivered = 0;
};

TEST_F(Webhook, FailsTwiceThenAcceptsWithPausesOnTheClockAndOneDelivery) {
    world.receive(QStringLiteral("before the webhook was set up"));
    receiver.answers = {500, WebReceiver::kSilent, 200};
    auto hooks = Start();
    Spin(200);
    EXPECT_TRUE(receiver.requests.empty()) << "history is not posted";

    const QString text = QStringLiteral("Pesanan #12 \"siap\"\n$(x)");
    const qint64 id = world.receive(text);
    world.api->pump();
    ASSERT_TRUE(Until([&] { return attempts == 1; }));
    auto rows = Rows();
    ASSERT_EQ(rows.size(), 1U);
    EXPECT_EQ(rows[0].attempts, 1);
    EXPECT_EQ(rows[0].lastStatus, 500);
    EXPECT_EQ(rows[0].nextAt, now.addSecs(60));
    EXPECT_FALSE(rows[0].doneAt.isValid());

    // (time moved on by, what the receiver has seen by then)
    const struct {
        int seconds;
        std::size_t requests;
    } steps[] = {{0, 1}, {59, 1}, {1, 2}, {119, 2}, {1, 3}};
    for (const auto& step : steps) {
        now = now.addSecs(step.seconds);
        const int before = attempts;
        hooks->poke();
        if (receiver.requests.size() < step.requests)
            ASSERT_TRUE(Until([&] { return attempts > before; })) << step.seconds;
        else
            Spin(100);
        EXPECT_EQ(receiver.requests.size(), step.requests) << "at +" << step.seconds << " s";
    }
    ASSERT_EQ(delivered, 1);

    rows = Rows();
    ASSERT_EQ(rows.size(), 1U);
    EXPECT_EQ(rows[0].attempts, 3);
    EXPECT_EQ(rows[0].lastStatus, 200);
    EXPECT_EQ(rows[0].doneAt, now);
    EXPECT_EQ(rows[0].lastError, QString());

    const WebRequest& first = receiver.requests[0];
    for (const WebRequest& r : receiver.requests) {
        EXPECT_EQ(r.method, "POST");
        EXPECT_EQ(r.path, "/hook");
        EXPECT_EQ(r.headers.at("content-type"), "application/json");
        EXPECT_EQ(r.headers.at("x-velmora-signature"), "sha256=" + Hmac("s3cret-of-the-shop", r.body));
        EXPECT_EQ(r.headers.at("x-velmora-event"), "received");
        EXPECT_EQ(r.headers.at("x-velmora-delivery"), QByteArray::number(rows[0].id));
        EXPECT_EQ(r.body, first.body) << "the same bytes every attempt";
    }
    const QJsonObject event = QJsonDocument::fromJson(first.body).object();
    EXPECT_EQ(event.value(QLatin1String("event")).toString(), QLatin1String("received"));
    EXPECT_EQ(event.value(QLatin1String("seq")).toInteger(), rows[0].seq);
    const QJsonObject message = event.value(QLatin1String("message")).toObject();
    EXPECT_EQ(message.value(QLatin1String("id")).toInteger(), id);
    EXPECT_EQ(message.value(QLatin1String("text")).toString(), text);
    EXPECT_EQ(Accepted(), (std::map<qint64, int>{{rows[0].seq, 1}}));
}

TEST_F(Webhook, TheQueueSurvivesARestartAndNothingIsPostedTwice) {
    receiver.answers = {503};
    auto hooks = Start();
    world.receive(QStringLiteral("satu"));
    world.api->pump();
    ASSERT_TRUE(Until([&] { return attempts == 1; }));
    EXPECT_EQ(delivered, 0);

    // The program stops; a message comes in while none runs.
    hooks.reset();
    world.close();
    world.open();
    world.receive(QStringLiteral("dua"));

    now = now.addSecs(60);
    attempts = 0;
    hooks = Start();
    ASSERT_TRUE(Until([&] { return delivered == 2; }));
    Spin(100);

    const auto rows = Rows();
    ASSERT_EQ(rows.size(), 2U);
    EXPECT_TRUE(rows[0].doneAt.isValid());
    EXPECT_TRUE(rows[1].doneAt.isValid());
    EXPECT_EQ(rows[0].attempts, 2);
    EXPECT_EQ(rows[1].attempts, 1);
    EXPECT_LT(rows[0].seq, rows[1].seq);
    ASSERT_EQ(receiver.requests.size(), 3U);
    EXPECT_EQ(Accepted(), (std::map<qint64, int>{{rows[0].seq, 1}, {rows[1].seq, 1}}));
    // In order: the older event first.
    const auto seqOf = [](const WebRequest& r) {
        return QJsonDocument::fromJson(r.body).object().value(QLatin1String("seq")).toInteger();
    };
    EXPECT_EQ(seqOf(receiver.requests[1]), rows[0].seq);
    EXPECT_EQ(seqOf(receiver.requests[2]), rows[1].seq);
}

TEST_F(Webhook, ARefusedDeliveryIsGivenUpAfterAWeekAndTheNextGoesOn) {
    receiver.answers = std::deque<int>(Webhooks::kGiveUpAttempts, 500);
    auto hooks = Start();
    world.receive(QStringLiteral("tak pernah sampai"));
    world.api->pump();
    const QDateTime first = now;
    for (int attempt = 1; attempt <= Webhooks::kGiveUpAttempts; ++attempt) {
        ASSERT_TRUE(Until([&] { return attempts == attempt; })) << attempt;
        const auto rows = Rows();
        ASSERT_EQ(rows.size(), 1U);
        if (attempt < Webhooks::kGiveUpAttempts) {
            ASSERT_FALSE(rows[0].doneAt.isValid()) << attempt;
            now = rows[0].nextAt;
            hooks->poke();
        }
    }
    auto rows = Rows();
    EXPECT_EQ(rows[0].attempts, Webhooks::kGiveUpAttempts);
    EXPECT_EQ(rows[0].doneAt, now);
    EXPECT_EQ(rows[0].lastStatus, 500);
    EXPECT_GT(first.daysTo(now), 5) << "about a week of pauses";
    EXPECT_LT(first.daysTo(now), 9);

    // Tried no more; a new event goes as soon as the receiver takes it.
    now = now.addDays(2);
    world.receive(QStringLiteral("yang berikutnya"));
    world.api->pump();
    ASSERT_TRUE(Until([&] { return delivered == 1; }));
    Spin(100);
    EXPECT_EQ(attempts, Webhooks::kGiveUpAttempts + 1);
}

// Two programs with the same Url= on one server's store (api_hooks_tests_pg):
// both queue, one posts; when it stops, the other takes over at once.
TEST_F(Webhook, TwoProgramsOnAServersStorePostEachEventOnce) {
    if (!OnPg())
        GTEST_SKIP() << "a file is one program's";
    const QString location = FreshPgStore();
    ApiWorld box1(location), box2(location);
    ASSERT_TRUE(box1.centre->store() && box2.centre->store());
    auto hooks1 = Start(box1);
    auto hooks2 = Start(box2);

    box1.receive(QStringLiteral("satu"));
    box1.receive(QStringLiteral("dua"));
    box1.api->pump();
    box2.api->pump();
    ASSERT_TRUE(Until([&] { return delivered == 2; }));
    Spin(300);
    auto rows = Rows(box2.store());
    ASSERT_EQ(rows.size(), 2U) << "each event queued once";
    EXPECT_EQ(receiver.requests.size(), 2U);
    EXPECT_EQ(Accepted(), (std::map<qint64, int>{{rows[0].seq, 1}, {rows[1].seq, 1}}));

    // The first stops; the second posts what comes next, without waiting.
    hooks1.reset();
    box1.receive(QStringLiteral("tiga"));
    box2.api->pump();
    ASSERT_TRUE(Until([&] { return delivered == 3; }, 3000));
    Spin(300);
    rows = Rows(box2.store());
    ASSERT_EQ(rows.size(), 3U);
    EXPECT_EQ(receiver.requests.size(), 3U);
    EXPECT_EQ(Accepted(), (std::map<qint64, int>{{rows[0].seq, 1}, {rows[1].seq, 1}, {rows[2].seq, 1}}));
}

TEST_F(Webhook, AStartIsRefusedForASecretOthersMayReadOrABadAddress) {
    const QString open = world.path(QStringLiteral("open-secret"));
    Write(open, "s3cret\n");
    QFile::setPermissions(open, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup);
    const QString empty = world.path(QStringLiteral("empty-secret"));
    Write(empty, " \n");
    QFile::setPermissions(empty, QFileDevice::ReadOwner);
    const QString shortOne = world.path(QStringLiteral("short-secret"));
    Write(shortOne, "fifteen-chars!!\n");
    QFile::setPermissions(shortOne, QFileDevice::ReadOwner);
    const QString huge = world.path(QStringLiteral("huge-secret"));
    Write(huge, QByteArray(Webhooks::kMostSecret + 1, 'x'));
    QFile::setPermissions(huge, QFileDevice::ReadOwner);
    const struct {
        const char* name;
        QString url, secretFile, why;
    } cases[] = {
        {"group may read", receiver.url(), open, QStringLiteral("may be read by others")},
        {"empty", receiver.url(), empty, QStringLiteral("is empty")},
        {"too long", receiver.url(), huge, QStringLiteral("longer than")},
        {"too short", receiver.url(), shortOne, QStringLiteral("shorter than 16")},
        {"missing", receiver.url(), world.path(QStringLiteral("nowhere")), QStringLiteral("not a file")},
        {"none", receiver.url(), {}, QStringLiteral("SecretFile= is needed")},
        {"not http", QStringLiteral("ftp://127.0.0.1/x"), secret, QStringLiteral("not an http")},
        {"no host", QStringLiteral("http:///x"), secret, QStringLiteral("not an http")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Webhooks hooks(*world.api, world.store(), WebhookConfig{c.url, c.secretFile});
        const auto started = hooks.start();
        ASSERT_FALSE(started);
        EXPECT_TRUE(started.error().contains(c.why)) << started.error().toStdString();
    }
    const auto secret = Webhooks::ReadSecret(this->secret);
    ASSERT_TRUE(secret);
    EXPECT_EQ(secret.value(), "s3cret-of-the-shop") << "without the line's end";
}

// The store's queue alone: one URL's rows in order, the oldest holding the
// rest back while it is retried, then set aside.
TEST_F(Webhook, AFailingDeliveryHoldsTheLineOnlyForItsFirstAttempts) {
    MessageStore& store = world.store();
    const QString url = QStringLiteral("http://127.0.0.1:9/x");
    const auto position = store.WebhookPosition();
    ASSERT_TRUE(position);
    const qint64 p = position.value();
    ASSERT_TRUE(store.QueueWebhooks(url, p, p + 2, {{p + 1, "a"}, {p + 2, "b"}}));
    EXPECT_FALSE(store.QueueWebhooks(url, p, p + 3, {{p + 3, "c"}})) << "the position moved on";
    const auto again = store.QueueWebhooks(url, p + 2, p + 2, {{p + 2, "b"}});
    ASSERT_TRUE(again);
    EXPECT_EQ(again.value(), 0) << "an event is queued once";
    EXPECT_EQ(store.WebhookPosition().value(), p + 2);

    const QDateTime t = now;
    auto next = store.NextWebhook(url, t);
    ASSERT_TRUE(next && next->due);
    const qint64 a = next->due->id;
    EXPECT_EQ(next->due->body, "a");
    for (int n = 1; n < MessageStore::kWebhookHoldAttempts; ++n) {
        ASSERT_TRUE(store.WebhookFailed(a, 500, QStringLiteral("HTTP status 500"), t.addSecs(60 * n)));
        next = store.NextWebhook(url, t);
        ASSERT_TRUE(next);
        EXPECT_FALSE(next->due) << "b waits behind a, attempt " << n;
        EXPECT_EQ(next->wake, t.addSecs(60 * n));
    }
    ASSERT_TRUE(store.WebhookFailed(a, std::nullopt, QStringLiteral("refused"), t.addSecs(3600)));
    next = store.NextWebhook(url, t);
    ASSERT_TRUE(next && next->due);
    EXPECT_EQ(next->due->body, "b") << "a failed often enough to stop holding b back";
    ASSERT_TRUE(store.WebhookDelivered(next->due->id, 204, t));
    next = store.NextWebhook(url, t);
    ASSERT_TRUE(next);
    EXPECT_FALSE(next->due);
    EXPECT_EQ(next->wake, t.addSecs(3600));
    next = store.NextWebhook(url, t.addSecs(3600));
    ASSERT_TRUE(next && next->due);
    EXPECT_EQ(next->due->id, a);
    EXPECT_EQ(store.NextWebhook(QStringLiteral("http://other/"), t)->wake, QDateTime()) << "per URL";

    // Delivered rows go once old; the undelivered one stays whatever its age.
    const auto deleted = store.DeleteDeliveredWebhooks(t.addSecs(1));
    ASSERT_TRUE(deleted);
    EXPECT_EQ(deleted.value(), 1);
    const auto rows = store.WebhookDeliveries();
    ASSERT_EQ(rows->size(), 1U);
    EXPECT_EQ(rows->front().id, a);
}

} // namespace
} // namespace velmora::testing
