#include "drum_synth.h"

#include "fixed_math.h"

#include <algorithm>

namespace vexatron::demo {

namespace {

constexpr int64_t kMsPerSecond = 1000;
constexpr int64_t kPercent = 100;
constexpr int64_t kFadeOutMs = 4; // the end fades so the cut at the last byte is silent
constexpr int kHzFractionBits = 16;

int64_t samples(int64_t ms, int64_t rate)
{
    return ms * rate / kMsPerSecond;
}

// White noise in -1..1 (Q30) from a xorshift generator.
class Noise {
public:
    explicit Noise(uint32_t seed) : state_(seed) {}

    int64_t next()
    {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return static_cast<int64_t>(state_ >> 1) - kOne;
    }

private:
    uint32_t state_;
};

// Keeps the noise between two cut-offs with one-pole low- and high-pass filters.
class BandFilter {
public:
    BandFilter(const DrumVoice &voice, int64_t rate)
        : lowPass_(voice.noiseHighHz > 0 ? onePoleCoefficient(voice.noiseHighHz, rate) : kOne),
          highPass_(kOne - (voice.noiseLowHz > 0 ? onePoleCoefficient(voice.noiseLowHz, rate) : 0))
    {
    }

    int64_t apply(int64_t input)
    {
        const int64_t previous = lowPassed_;
        lowPassed_ += multiply(input - lowPassed_, lowPass_);
        highPassed_ = multiply(highPassed_ + lowPassed_ - previous, highPass_);
        return highPassed_;
    }

private:
    int64_t lowPass_;
    int64_t highPass_;
    int64_t lowPassed_ = 0;
    int64_t highPassed_ = 0;
};

} // namespace

SampleData synthesiseDrum(const DrumVoice &voice, int64_t rate, int peakPercent, uint32_t seed)
{
    const int64_t count = (samples(voice.lengthMs, rate) + 1) & ~int64_t{1};
    const std::vector<int64_t> sweep = halvingCurve(samples(voice.sweepMs, rate), count);
    const std::vector<int64_t> toneFade = halvingCurve(samples(voice.toneDecayMs, rate), count);
    const std::vector<int64_t> noiseFade = halvingCurve(samples(voice.noiseDecayMs, rate), count);
    const int64_t fadeOut = std::max<int64_t>(samples(kFadeOutMs, rate), 1);
    const int64_t startHz = int64_t{voice.toneStartHz} << kHzFractionBits;
    const int64_t endHz = int64_t{voice.toneEndHz} << kHzFractionBits;

    Noise noise(seed);
    BandFilter band(voice, rate);
    uint32_t phase = 0;
    std::vector<int64_t> levels(static_cast<size_t>(count));
    for (int64_t i = 0; i < count; ++i) {
        const size_t at = static_cast<size_t>(i);
        const int64_t tone = multiply(sine(phase), toneFade[at]) * voice.toneLevel / kPercent;
        const int64_t hiss =
            multiply(band.apply(noise.next()), noiseFade[at]) * voice.noiseLevel / kPercent;
        const int64_t left = count - i;
        levels[at] = (tone + hiss) * std::min(left, fadeOut) / fadeOut;
        const int64_t hz = endHz + multiply(startHz - endHz, sweep[at]);
        phase += static_cast<uint32_t>((hz << kHzFractionBits) / rate);
    }
    return {quantise(levels, peakPercent), 0, 0};
}

} // namespace vexatron::demo
