// The player's states on an output that plays nothing: no sound card needed.

#include "TunePlayer.h"
#include "ToneSynth.h"
#include "TuneOutput.h"
#include "TuneSource.h"

#include <QIODevice>

#include <gtest/gtest.h>

namespace velmora {
namespace {

struct Seen {
    QString refuse; // what start() answers
    qint64 bytes = -1;
    int stops = 0;
};

class FakeOutput : public TuneOutput {
public:
    explicit FakeOutput(Seen& seen) : m_seen(seen) {}
    QString start(QIODevice& source, int) override {
        m_seen.bytes = source.size();
        return m_seen.refuse;
    }
    void stop() override { ++m_seen.stops; }

private:
    Seen& m_seen;
};

struct Fixture {
    Seen seen;
    FakeOutput* output = nullptr;
    TunePlayer player{nullptr, [this] {
                          auto o = std::make_unique<FakeOutput>(seen);
                          output = o.get();
                          return o;
                      }};
    QStringList events;
    Fixture() {
        QObject::connect(&player, &TunePlayer::started, [this] { events << "started"; });
        QObject::connect(&player, &TunePlayer::stopped, [this] { events << "stopped"; });
        QObject::connect(&player, &TunePlayer::failed,
                         [this](const QString& why) { events << "failed " + why; });
    }
};

ReadTune Beep() { return *TuneOfLine("Beep:d=4,o=5,b=100:c,8e,p"); }

TEST(TunePlayer, HandsTheOutputTheWholeTuneAndEndsWithIt) {
    Fixture f;
    f.player.play(Beep());
    EXPECT_TRUE(f.player.playing());
    EXPECT_EQ(f.seen.bytes, qint64(SynthesiseTune(Beep()).size() * 2));
    emit f.output->finished();
    EXPECT_FALSE(f.player.playing());
    EXPECT_EQ(f.events, QStringList({"started", "stopped"}));
}

// Each way a tune ends: what the player says, and whether it stopped the output.
TEST(TunePlayer, EndsOnStopOnAnotherTuneAndOnFailure) {
    struct Case {
        const char* name;
        std::function<void(Fixture&)> end;
        QStringList events;
        int stops;
        bool playing;
    } cases[] = {
        {"stop", [](Fixture& f) { f.player.stop(); }, {"started", "stopped"}, 1, false},
        {"stop twice",
         [](Fixture& f) { f.player.stop(), f.player.stop(); },
         {"started", "stopped"},
         1,
         false},
        {"another", [](Fixture& f) { f.player.play(Beep()); }, {"started", "stopped", "started"}, 1, true},
        {"failure", [](Fixture& f) { emit f.output->failed("gone"); }, {"started", "failed gone"}, 0, false},
        {"late end",
         [](Fixture& f) { f.player.stop(), emit f.output->finished(); },
         {"started", "stopped"},
         1,
         false},
    };
    for (const Case& c : cases) {
        Fixture f;
        f.player.play(Beep());
        c.end(f);
        EXPECT_EQ(f.events, c.events) << c.name;
        EXPECT_EQ(f.seen.stops, c.stops) << c.name;
        EXPECT_EQ(f.player.playing(), c.playing) << c.name;
    }
}

TEST(TunePlayer, SaysWhyItCannotStart) {
    Fixture f;
    f.seen.refuse = "No audio output";
    f.player.play(Beep());
    f.player.play(ReadTune{});
    EXPECT_FALSE(f.player.playing());
    EXPECT_EQ(f.events, QStringList({"failed No audio output", "failed The tune has no notes to play."}));
}

// The sound card may read past Qt's buffer in pieces of any size, down to a
// lone byte: whole samples only, the tune in full.
TEST(TuneSource, GivesWholeSamplesToTheEnd) {
    TuneSource source(Beep());
    source.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    char one = 0;
    EXPECT_EQ(source.read(&one, 1), 0);
    QByteArray all;
    for (QByteArray piece; !(piece = source.read(4093)).isEmpty();)
        all += piece;
    EXPECT_EQ(source.read(&one, 1), 0);
    const auto samples = SynthesiseTune(Beep());
    EXPECT_EQ(all, QByteArray(reinterpret_cast<const char*>(samples.data()), qsizetype(samples.size() * 2)));
}

} // namespace
} // namespace velmora
