#include "wave_synth.h"

#include "fixed_math.h"

#include <algorithm>

namespace vexatron::demo {

namespace {

constexpr int64_t kMsPerSecond = 1000;
constexpr int64_t kPercent = 100;
constexpr uint32_t kQuarterTurn = uint32_t{1} << 30;
constexpr int kPhaseBits = 32;

struct Harmonic {
    uint32_t number;
    int64_t amplitude; // Q30, signed
    uint32_t offset;   // starting phase: 0 for a sine, a quarter turn for a cosine
};

// The Fourier series of the shape, without a constant part.
std::vector<Harmonic> harmonicsOf(const WaveVoice &voice)
{
    std::vector<Harmonic> harmonics;
    const uint32_t count = static_cast<uint32_t>(voice.cycle / 2 - 1);
    for (uint32_t h = 1; h <= count; ++h) {
        const int64_t n = h;
        const bool odd = (h & 1) != 0;
        switch (voice.shape) {
        case Shape::Sine:
            if (h == 1)
                harmonics.push_back({h, kOne, 0});
            break;
        case Shape::Saw:
            harmonics.push_back({h, kOne / n, 0});
            break;
        case Shape::Square:
            if (odd)
                harmonics.push_back({h, kOne / n, 0});
            break;
        case Shape::Triangle:
            if (odd)
                harmonics.push_back({h, ((h / 2) % 2 == 0 ? kOne : -kOne) / (n * n), 0});
            break;
        case Shape::Pulse: {
            // sin(pi h width) / h, as cosines
            const uint64_t turn = uint64_t{1} << kPhaseBits;
            const auto phase = static_cast<uint32_t>(turn * h * uint64_t(voice.pulseWidth) /
                                                     (2 * static_cast<uint64_t>(kPercent)));
            harmonics.push_back({h, sine(phase) / n, kQuarterTurn});
            break;
        }
        }
    }
    return harmonics;
}

int64_t percent(int value)
{
    return kOne * value / kPercent;
}

// One oscillator at `phase`; each harmonic is `brightness` times the one below it.
int64_t oscillator(const std::vector<Harmonic> &harmonics, uint32_t phase, int64_t brightness)
{
    int64_t sum = 0;
    int64_t gain = kOne;
    uint32_t previous = 1;
    for (const Harmonic &harmonic : harmonics) {
        for (; previous < harmonic.number; ++previous)
            gain = multiply(gain, brightness);
        sum += multiply(multiply(harmonic.amplitude, gain),
                        sine(harmonic.number * phase + harmonic.offset));
    }
    return sum;
}

// How far the head has still to fall: kOne until the attack ends, then halving with
// the decay, pulled down so that it reaches exactly 0 where the loop starts.
std::vector<int64_t> fallCurve(int64_t attack, int64_t loopStart, int64_t halfLife)
{
    std::vector<int64_t> fall(static_cast<size_t>(loopStart), kOne);
    const std::vector<int64_t> decay = halvingCurve(halfLife, loopStart - attack + 1);
    const int64_t floor = decay.back();
    if (floor == kOne)
        return fall;
    for (int64_t i = attack; i < loopStart; ++i) {
        const int64_t left = decay[static_cast<size_t>(i - attack)] - floor;
        fall[static_cast<size_t>(i)] = left * kOne / (kOne - floor);
    }
    return fall;
}

} // namespace

SampleData synthesiseWave(const WaveVoice &voice, int64_t rate, int peakPercent)
{
    const int64_t cycle = voice.cycle;
    const int64_t attack = voice.attackMs * rate / kMsPerSecond;
    const int64_t head = std::max(voice.headMs * rate / kMsPerSecond, attack);
    const int64_t loopStart = (head + cycle - 1) / cycle * cycle;
    const int64_t chorus = voice.chorusCycles;
    const int64_t loopLength = cycle * std::max<int64_t>(chorus, 1);
    const int64_t count = loopStart + loopLength;
    const std::vector<int64_t> fall =
        fallCurve(attack, loopStart, voice.decayMs * rate / kMsPerSecond);

    const std::vector<Harmonic> harmonics = harmonicsOf(voice);
    const int64_t sustain = percent(voice.sustain);
    const int64_t brightStart = percent(voice.brightStart);
    const int64_t brightEnd = percent(voice.brightEnd);
    const int64_t chorusLevel = percent(voice.chorusLevel);
    std::vector<int64_t> levels(static_cast<size_t>(count));
    for (int64_t i = 0; i < count; ++i) {
        const int64_t falling = i < loopStart ? fall[static_cast<size_t>(i)] : 0;
        const int64_t envelope =
            i < attack ? kOne * i / attack : sustain + multiply(kOne - sustain, falling);
        const int64_t brightness = brightEnd + multiply(brightStart - brightEnd, falling);
        const auto phase = static_cast<uint32_t>((static_cast<uint64_t>(i) << kPhaseBits) /
                                                 static_cast<uint64_t>(cycle));
        int64_t wave = oscillator(harmonics, phase, brightness);
        if (chorus > 0) {
            const auto ahead =
                static_cast<uint32_t>((static_cast<uint64_t>(i * (chorus + 1)) << kPhaseBits) /
                                      static_cast<uint64_t>(chorus * cycle));
            wave += multiply(oscillator(harmonics, ahead, brightness), chorusLevel);
        }
        levels[static_cast<size_t>(i)] = multiply(wave, envelope);
    }
    return {quantise(levels, peakPercent), static_cast<uint32_t>(loopStart),
            static_cast<uint32_t>(loopLength)};
}

} // namespace vexatron::demo
