// "tone": a tune heard, or written as a WAV file, as the phone will play it.

#include "Cli.h"
#include "CommandApplication.h"

#include "Clock.h"
#include "Interrupts.h"
#include "Options.h"
#include "Ringtone.h"
#include "Said.h"
#include "ToneSynth.h"
#include "Translations.h"
#include "TunePlayer.h"

#include <QCoreApplication>
#include <QMetaObject>

#include <atomic>
#include <filesystem>
#include <optional>
#include <ostream>

namespace velmora::cli {

namespace {

std::string ToneUsage() {
    return translate("tone",
                     "usage: velmora-cli tone FILE|RTTTL [--wav OUT.wav]\n"
                     "\n"
                     "Plays a ringtone on the default audio output as the phone will play it: the\n"
                     "notes, lengths, tempo and style the ringtone message carries, read back from\n"
                     "the octets the encoder builds. FILE is read as the RingTone tab reads it (its\n"
                     "first line); an argument holding \":\" that names no file is taken as the RTTTL\n"
                     "line itself. A tune is played once plus the repeats its loop count asks for,\n"
                     "three times at most; one that repeats forever is played once. Ctrl+C stops it.\n"
                     "\n"
                     "  --wav OUT.wav   write the sound to OUT.wav (16-bit mono, 22050 Hz) instead\n"
                     "\n"
                     "What the encoder passes over or rounds is named on stderr by its character;\n"
                     "a tune without notes is refused.\n");
}

// Ctrl+C while the tune plays: the canceller's thread asks the event loop
// to end, which is safe from any thread.
class QuitOnCancel : public Clock {
public:
    void Sleep(int) override {}
    std::int64_t NowMs() const override { return 0; }
    void Cancel() override {
        QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit);
    }
};

int Play(const ReadTune& tune, Io io) {
    QuitOnCancel clock;
    // Before Qt starts any thread of its own, so none takes the signals.
    InterruptCanceller interrupts(clock);
    const CommandApplication app;
    TunePlayer player;
    QString failure;
    bool ended = false;
    QObject::connect(&player, &TunePlayer::stopped, [&] {
        ended = true;
        QCoreApplication::quit();
    });
    QObject::connect(&player, &TunePlayer::failed, [&](const QString& why) {
        failure = why;
        ended = true;
        QCoreApplication::quit();
    });
    player.play(tune);
    if (!ended)
        QCoreApplication::exec();
    player.stop();
    if (const int signal = interrupts.Caught()) {
        io.err << "velmora-cli: " << translate("cli", "interrupted") << '\n';
        return 128 + signal;
    }
    if (!failure.isEmpty())
        return Report({kExitUnreachable, Fill(translate("tone", "tone: %1"), {failure.toStdString()})}, io);
    return kExitOk;
}

} // namespace

int RunTone(std::vector<std::string> words, Io io) {
    if (IsHelp(words)) {
        io.out << ToneUsage();
        return kExitOk;
    }
    const CommandLine args(words, {{"--wav", true}}, kCommandWords);
    const auto wav = args.value("--wav");
    if (const GivenWord* unknown = args.first(GivenWord::Unknown))
        return Report({kExitUsage, Fill(translate("tone", "tone: unknown option %1"), {unknown->word})}, io,
                      ToneUsage());
    if (const GivenWord* missing = args.first(GivenWord::MissingValue))
        return Report({kExitUsage, Fill(translate("tone", "tone: %1 needs a value"), {missing->option})}, io,
                      ToneUsage());
    const auto given = args.positional();
    if (given.size() != 1)
        return Report({kExitUsage, Fill(translate("tone", "tone: expected one FILE or RTTTL line, got %1"),
                                        {std::to_string(given.size())})},
                      io, ToneUsage());

    std::error_code ignored;
    const bool isLine =
        given[0].find(':') != std::string::npos && !std::filesystem::exists(given[0], ignored);
    RingtoneFile file = RingtoneFromLine(given[0]);
    if (!isLine) {
        auto read = ReadRingtoneFile(given[0]);
        if (!read)
            return Report({kExitRefused, read.error()}, io);
        file = std::move(read.value());
    }
    if (const auto fault = FindRingtoneFault(file.rtttl))
        io.err << "velmora-cli: "
               << Fill(translate("tone", "tone: %1"), {LocalizedBytes(RingtoneFaultText(*fault))}) << '\n';
    const auto tune = ReadRingtone(file.content);
    if (!tune)
        return Report({kExitRefused, Fill(translate("tone", "tone: %1"), {LocalizedBytes(tune.error())})},
                      io);
    if (tune->notes.empty())
        return Report({kExitRefused, translate("tone", "tone: the tune has no notes")}, io);
    if (!RingtoneFits(file.rtttl)) {
        const RingtoneFit fit = FitRingtone(file.rtttl);
        io.err << "velmora-cli: "
               << Fill(translate("tone",
                                 "tone: the tune is too long for one message: only the first %1 of its %2 "
                                 "notes fit"),
                       {std::to_string(fit.fitting), std::to_string(fit.notes)})
               << '\n';
    }
    if (!wav)
        return Play(*tune, io);
    const auto written = WriteWav(*wav, SynthesiseTune(*tune));
    if (!written)
        return Report({kExitRefused, written.error()}, io);
    return kExitOk;
}

} // namespace velmora::cli
