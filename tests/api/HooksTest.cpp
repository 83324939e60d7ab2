// [Hooks]: the user's program run for each event, never through a shell,
// with the event's JSON on its standard input; its time limit; no more
// than four at once; and what the log says when one fails.

#include "Hooks.h"
#include "ApiWorld.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace velmora::testing {
namespace {

using api::Hooks;

// Quoted as a settings file would: the program and its arguments may hold spaces.
QString Quoted(const QString& s) { return QLatin1Char('"') + s + QLatin1Char('"'); }

// Every file the copying hook wrote, read as JSON.
std::vector<QJsonObject> Copies(const QString& dir) {
    std::vector<QJsonObject> out;
    for (const QString& name : QDir(dir).entryList(QDir::Files))
        out.push_back(QJsonDocument::fromJson(Bytes(dir + QLatin1Char('/') + name)).object());
    return out;
}

// Texts a shell would take for commands: a shell anywhere between the
// event and the hook runs them, and they leave a file named pwned*.
const QString kHostileTexts[] = {
    QStringLiteral("Say \"yes\" or 'no'"),
    QStringLiteral("$(touch pwned1)"),
    QStringLiteral("`touch pwned2`"),
    QStringLiteral("\"; touch pwned3; echo \""),
    QStringLiteral("'; touch pwned4; echo '"),
    QStringLiteral("line one\nline two\r\n$(touch pwned5)"),
    QStringLiteral("a | touch pwned6 & touch pwned7 > x; \\ ${PATH}"),
    QStringLiteral("Selamat pagi \u2014 \u65E5\u672C"),
};

TEST(Hooks, HostileTextsReachTheHookAsDataAndRunNothing) {
    ApiWorld world;
    const QString outDir = world.path(QStringLiteral("out dir"));
    ASSERT_TRUE(QDir().mkpath(outDir));
    // The hook's own shell only copies its input to a new file.
    const QString hook =
        world.script(QStringLiteral("copy hook.sh"), "f=$(mktemp \"$1/in.XXXXXX\") && cat > \"$f\"");
    ASSERT_FALSE(hook.isEmpty());
    // A shell anywhere on the way would create its files here.
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(world.path(QString())));

    HooksConfig config;
    config.onReceive = Quoted(hook) + QLatin1Char(' ') + Quoted(outDir);
    config.onState = config.onReceive;
    Hooks hooks(*world.api, config);
    const auto started = hooks.start();
    ASSERT_TRUE(started) << started.error().toStdString();
    int ended = 0, failed = 0;
    QObject::connect(&hooks, &Hooks::ended, [&](const QString&, bool ok) {
        ++ended;
        failed += ok ? 0 : 1;
    });

    std::map<qint64, QString> sent;
    for (const QString& text : kHostileTexts)
        sent[world.receive(text)] = text;
    // One goes out too: its state ("queued") is an event of its own.
    SubmitOptions options;
    const auto queued = world.api->submitText({QStringLiteral("+6281234567")}, kHostileTexts[1], options);
    ASSERT_TRUE(queued) << queued.error().why.toStdString();
    world.api->pump();
    const int events = static_cast<int>(std::size(kHostileTexts)) + 1;
    ASSERT_TRUE(Until([&] { return ended == events; })) << ended;
    QDir::setCurrent(before);

    EXPECT_EQ(failed, 0);
    const auto copies = Copies(outDir);
    ASSERT_EQ(copies.size(), static_cast<std::size_t>(events));
    std::set<qint64> seqs;
    int states = 0;
    for (const QJsonObject& event : copies) {
        const QJsonObject message = event.value(QLatin1String("message")).toObject();
        const qint64 id = message.value(QLatin1String("id")).toInteger();
        seqs.insert(event.value(QLatin1String("seq")).toInteger());
        if (event.value(QLatin1String("event")).toString() == QLatin1String("state")) {
            ++states;
            EXPECT_EQ(id, queued->ids.at(0));
            EXPECT_EQ(event.value(QLatin1String("state")).toString(), QLatin1String("queued"));
            EXPECT_EQ(message.value(QLatin1String("text")).toString(), kHostileTexts[1]);
            continue;
        }
        EXPECT_EQ(event.value(QLatin1String("event")).toString(), QLatin1String("received"));
        ASSERT_EQ(sent.count(id), 1U) << id;
        EXPECT_EQ(message.value(QLatin1String("text")).toString(), sent[id]);
        sent.erase(id);
    }
    EXPECT_EQ(states, 1);
    EXPECT_TRUE(sent.empty()) << "each message once";
    EXPECT_EQ(seqs.size(), static_cast<std::size_t>(events)) << "each event its own seq";
    EXPECT_GT(*seqs.begin(), 0);
    const QStringList pwned = QDir(world.path(QString())).entryList({QStringLiteral("pwned*")});
    EXPECT_TRUE(pwned.isEmpty()) << pwned.join(QLatin1Char(' ')).toStdString();
}

// Whether the process `pid` has ended (gone, or a zombie no one reaped yet).
bool Gone(const QByteArray& pid) {
    const QByteArray stat = Bytes(QStringLiteral("/proc/%1/stat").arg(QString::fromLatin1(pid)));
    if (stat == "<unreadable>")
        return true;
    const qsizetype close = stat.lastIndexOf(')');
    return close > 0 && stat.mid(close + 2, 1) == "Z";
}

// How a hook ends, and what the log says of it.
struct Ending {
    const char* name;
    QByteArray script;
    bool ok;
    QString logged; // "" nothing
};

TEST(Hooks, EachEndingIsLoggedAndAHookPastItsLimitIsKilled) {
    const Ending endings[] = {
        {"well", "cat > /dev/null", true, {}},
        {"failing", "echo 'printer offline' >&2; echo second line >&2; exit 3", false,
         QStringLiteral("exit status 3: printer offline")},
        {"killed by itself", "kill -9 $$", false, QStringLiteral("ended by a signal")},
        // What it started ends with it (its pid in the file it names).
        {"hanging", "sleep 30 & echo $! > \"$1\"; wait", false,
         QStringLiteral("still running after 0.3 s: stopped")},
    };
    for (const Ending& ending : endings) {
        SCOPED_TRACE(ending.name);
        ApiWorld world;
        LogLines log;
        HooksConfig config;
        const QString child = world.path(QStringLiteral("child"));
        config.onReceive =
            world.script(QStringLiteral("hook.sh"), ending.script) + QLatin1Char(' ') + Quoted(child);
        Hooks hooks(*world.api, config);
        hooks.setLimitMs(300);
        ASSERT_TRUE(hooks.start());
        std::optional<bool> ok;
        QObject::connect(&hooks, &Hooks::ended, [&](const QString&, bool good) { ok = good; });
        QElapsedTimer took;
        took.start();
        world.receive(QStringLiteral("Halo"));
        world.api->pump();
        ASSERT_TRUE(Until([&] { return ok.has_value(); }));
        EXPECT_EQ(*ok, ending.ok);
        EXPECT_LT(took.elapsed(), 5000) << "a hanging hook is cut off at its limit";
        if (ending.logged.isEmpty())
            EXPECT_TRUE(log.lines().isEmpty()) << log.lines().join(QLatin1Char('\n')).toStdString();
        else
            EXPECT_TRUE(log.has(ending.logged)) << log.lines().join(QLatin1Char('\n')).toStdString();
        EXPECT_FALSE(log.has(QStringLiteral("second line")));
        if (QFile::exists(child)) {
            const QByteArray pid = Bytes(child).trimmed();
            ASSERT_FALSE(pid.isEmpty());
            EXPECT_TRUE(Until([&] { return Gone(pid); }, 3000)) << "the hook's own child " << pid.constData();
        }
    }
}

TEST(Hooks, NoMoreThanFourRunAtOnceAndTheRestWaitTheirTurn) {
    ApiWorld world;
    const QString trace = world.path(QStringLiteral("trace"));
    HooksConfig config;
    // "+" as it starts, "-" as it ends: appended, so the lines interleave
    // as the hooks really overlapped.
    config.onReceive =
        world.script(QStringLiteral("slow.sh"), "echo + >> \"$1\"; sleep 0.4; echo - >> \"$1\"") +
        QLatin1Char(' ') + Quoted(trace);
    Hooks hooks(*world.api, config);
    ASSERT_TRUE(hooks.start());
    int ended = 0;
    QObject::connect(&hooks, &Hooks::ended, [&](const QString&, bool ok) {
        EXPECT_TRUE(ok);
        ++ended;
    });
    constexpr int kEvents = 10;
    for (int n = 0; n < kEvents; ++n)
        world.receive(QStringLiteral("Pesan %1").arg(n));
    world.api->pump();
    EXPECT_EQ(hooks.running(), Hooks::kAtOnce);
    EXPECT_EQ(hooks.waiting(), kEvents - Hooks::kAtOnce);
    ASSERT_TRUE(Until([&] { return ended == kEvents; }, 20000));
    EXPECT_EQ(hooks.running(), 0);
    EXPECT_EQ(hooks.waiting(), 0);

    int now = 0, most = 0, starts = 0;
    for (const QByteArray& line : Bytes(trace).split('\n')) {
        if (line == "+") {
            ++starts;
            most = std::max(most, ++now);
        } else if (line == "-") {
            --now;
        }
    }
    EXPECT_EQ(starts, kEvents);
    EXPECT_EQ(most, Hooks::kAtOnce) << "four at once, not one after another and not more";
}

TEST(Hooks, BeyondTheMostWaitingEventsAreDroppedAndTheLogSaysHowMany) {
    ApiWorld world;
    LogLines log;
    HooksConfig config;
    config.onReceive = world.script(QStringLiteral("slow.sh"), "sleep 0.3");
    Hooks hooks(*world.api, config);
    hooks.setMostWaiting(3);
    ASSERT_TRUE(hooks.start());
    int ended = 0;
    QObject::connect(&hooks, &Hooks::ended, [&](const QString&, bool) { ++ended; });
    for (int n = 0; n < 10; ++n)
        world.receive(QStringLiteral("Pesan %1").arg(n));
    world.api->pump();
    EXPECT_EQ(hooks.running(), Hooks::kAtOnce);
    EXPECT_EQ(hooks.waiting(), 3);
    EXPECT_EQ(hooks.dropped(), 3);
    EXPECT_TRUE(log.has(QStringLiteral("3 events wait for their hook; new ones are dropped")));
    ASSERT_TRUE(Until([&] { return ended == 7; }));
    EXPECT_TRUE(log.has(QStringLiteral("events dropped while too many waited: 3")))
        << log.lines().join(QLatin1Char('\n')).toStdString();
}

TEST(Hooks, AProgramThatCannotRunIsRefusedAtTheStart) {
    ApiWorld world;
    const QString notRunnable = world.path(QStringLiteral("plain.txt"));
    ASSERT_TRUE(Write(notRunnable, "echo hi\n"));
    const struct {
        const char* name;
        QString onReceive, onState;
        QString why;
    } cases[] = {
        {"missing", world.path(QStringLiteral("nowhere.sh")), {}, QStringLiteral("OnReceive")},
        {"not executable", {}, notRunnable, QStringLiteral("OnState")},
        {"only quotes", QStringLiteral("\"\""), {}, QStringLiteral("no program")},
        {"not on PATH",
         QStringLiteral("velmora-no-such-hook --x"),
         {},
         QStringLiteral("velmora-no-such-hook")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Hooks hooks(*world.api, HooksConfig{c.onReceive, c.onState});
        const auto started = hooks.start();
        ASSERT_FALSE(started);
        EXPECT_TRUE(started.error().contains(c.why)) << started.error().toStdString();
    }
    // A bare name is found on PATH.
    Hooks found(*world.api, HooksConfig{QStringLiteral("true"), {}});
    EXPECT_TRUE(found.start());
}

} // namespace
} // namespace velmora::testing
