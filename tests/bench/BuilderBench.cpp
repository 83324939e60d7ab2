// Time per PDU of the builders, the heaviest inputs of each kind.

#include "MessageReader.h"
#include "SMSLibU.h"
#include "ToneSynth.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

using namespace velmora;

void Require(bool ok) {
    if (!ok)
        std::abort(); // a benchmark of a refusal would measure the wrong thing
}

void BM_Text160(benchmark::State& state) {
    const std::u16string text(160, u'x');
    for (auto _ : state) {
        auto pdu = BuildTextPDU("628569999999", text, false, false);
        Require(pdu.ok());
        benchmark::DoNotOptimize(pdu);
    }
}
BENCHMARK(BM_Text160);

void BM_Flash69Blinking(benchmark::State& state) {
    const std::u16string text(69, u'x');
    for (auto _ : state) {
        auto pdu = BuildTextPDU("628569999999", text, true, true);
        Require(pdu.ok());
        benchmark::DoNotOptimize(pdu);
    }
}
BENCHMARK(BM_Flash69Blinking);

void BM_PictureMessage(benchmark::State& state) {
    const std::string picture(504, 'A');
    for (auto _ : state) {
        auto parts = BuildPictureMessagePDUs("628569999999", picture);
        Require(parts.ok());
        benchmark::DoNotOptimize(parts);
    }
}
BENCHMARK(BM_PictureMessage);

// 140 octets: a 32 x 24 picture, two animations, a sound and 26 characters of text.
void BM_LargestEms(benchmark::State& state) {
    std::u16string tagged = u"[#PIC00200018" + std::u16string(96 * 2, u'5') + u"]";
    tagged += u"Hello[#ANI01] there[#ANI05]friend[#SND03]" + std::u16string(9, u'!');
    for (auto _ : state) {
        auto pdu = BuildEMSPDU("628569999999", tagged);
        Require(pdu.ok() && pdu->size() == 30 + 280);
        benchmark::DoNotOptimize(pdu);
    }
}
BENCHMARK(BM_LargestEms);

void BM_OperatorLogo(benchmark::State& state) {
    const std::string logo(252, 'F');
    for (auto _ : state) {
        auto pdu = BuildOperatorLogoPDU("628569999999", logo, "15F010");
        Require(pdu.ok());
        benchmark::DoNotOptimize(pdu);
    }
}
BENCHMARK(BM_OperatorLogo);

// Reading back, per PDU: a full text, a logo, the three parts of a picture
// message joined, and a ringtone read into RTTTL.
void BM_Read(benchmark::State& state, MessageRequest request) {
    request.destination = "628569999999";
    const auto built = BuildMessage(request);
    Require(built.ok());
    for (auto _ : state) {
        auto read = ReadMessages(built->pdus);
        Require(read.size() == 1 && read[0].message.ok());
        benchmark::DoNotOptimize(read);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(built->pdus.size()));
}

MessageRequest Read(MessageKind kind, std::string content = {}, std::u16string text = {}) {
    MessageRequest r;
    r.kind = kind;
    r.content = std::move(content);
    r.text = std::move(text);
    r.mcc = "510";
    r.nc = "10";
    return r;
}
BENCHMARK_CAPTURE(BM_Read, Text160, Read(MessageKind::Text, {}, std::u16string(160, u'x')));
BENCHMARK_CAPTURE(BM_Read, OperatorLogo, Read(MessageKind::Logo, std::string(252, 'F')));
BENCHMARK_CAPTURE(BM_Read, PictureMessage3Parts, Read(MessageKind::Picture, std::string(504, '5')));
BENCHMARK_CAPTURE(BM_Read, Ringtone,
                  Read(MessageKind::Ringtone, "024A3A51099595C004001318CAE922849562482000"));

// A typical published tune, 40 notes at b=125 (about 10 s of sound), from
// its line through the encoder and back to samples, as Play and tone do it.
void BM_SynthesiseTune(benchmark::State& state) {
    const std::string line =
        "Tune:d=8,o=5,b=125:e6,d#6,e6,d#6,e6,b,d6,c6,4a,p,c,e,a,4b,p,e,g#,b,4c6,p,e,e6,d#6,"
        "e6,d#6,e6,b,d6,c6,4a,p,c,e,a,4b,p,e,c6,b,2a";
    for (auto _ : state) {
        auto tune = TuneOfLine(line);
        Require(tune.ok() && tune->notes.size() == 40);
        auto samples = SynthesiseTune(*tune);
        benchmark::DoNotOptimize(samples);
    }
}
BENCHMARK(BM_SynthesiseTune)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
