#include "synthesis.h"

#include "drum_synth.h"
#include "vxa_mod_extras.h"
#include "wave_synth.h"

namespace vexatron::demo {

namespace {

constexpr uint32_t kNoiseSeedBase = 0x9E3779B9;

} // namespace

int64_t noteRate(uint8_t note)
{
    return int64_t{VXA_MOD_PAL_CLOCK_HZ} / vxa_mod_note_period(note);
}

SampleData synthesise(const Instrument &instrument)
{
    const int64_t rate = noteRate(instrument.note);
    if (const DrumVoice *drum = std::get_if<DrumVoice>(&instrument.voice))
        return synthesiseDrum(*drum, rate, instrument.peak,
                              kNoiseSeedBase + static_cast<uint32_t>(instrument.slot));
    return synthesiseWave(std::get<WaveVoice>(instrument.voice), rate, instrument.peak);
}

} // namespace vexatron::demo
