// Time per PDU of the builders, the heaviest inputs of each kind.

#include "SMSLibU.h"

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

} // namespace

BENCHMARK_MAIN();
