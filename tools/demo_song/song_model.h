// The demo song as its source describes it: the instruments with their synthesis
// parameters, and the patterns, order and restart position of the module.
#pragma once

#include "vxa_mod_layout.h"

#include <array>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace vexatron::demo {

constexpr int kChannels = VXA_MOD_CHANNELS;
constexpr int kRows = VXA_MOD_ROWS;
constexpr int kSlots = VXA_MOD_SLOTS;
constexpr int kMaxOrders = VXA_MOD_ORDERS;
constexpr int kTitleLength = VXA_MOD_TITLE_BYTES;
constexpr int kSampleNameLength = VXA_MOD_SAMPLE_NAME_BYTES;
constexpr int kMaxVolume = 64;

constexpr uint8_t kEffectArpeggio = 0x0;
constexpr uint8_t kEffectPositionJump = 0xB;
constexpr uint8_t kEffectSetVolume = 0xC;
constexpr uint8_t kEffectPatternBreak = 0xD;

// One pattern cell as the replayer sees it: note 0 (none) or 1..36 (C-1..B-3),
// sample 0 (none) or a slot 1..31, effect command 0..15 and its parameter.
struct Cell {
    uint8_t note = 0;
    uint8_t sample = 0;
    uint8_t effect = 0;
    uint8_t param = 0;

    bool hasEffect() const { return effect != kEffectArpeggio || param != 0; }
};

using Track = std::vector<Cell>; // one channel's rows

struct Pattern {
    std::string name;
    int rows = 0; // rows played; fewer than 64 end with a break or jump
    std::array<std::array<Cell, kChannels>, kRows> cells{};
};

// A one-shot drum: a sine falling in pitch plus band-limited noise, each with its own
// decay. Times in milliseconds, levels in percent.
struct DrumVoice {
    int lengthMs = 0;
    int toneStartHz = 0;
    int toneEndHz = 0;
    int sweepMs = 1;     // time for the pitch to fall half way
    int toneDecayMs = 1; // half-life of the tone
    int toneLevel = 100;
    int noiseLevel = 0;
    int noiseDecayMs = 1; // half-life of the noise
    int noiseLowHz = 0;   // noise below this is filtered out (0: none)
    int noiseHighHz = 0;  // noise above this is filtered out (0: none)
};

enum class Shape { Sine, Saw, Square, Triangle, Pulse };

// A looped waveform of `cycle` samples per period with a decaying head: the envelope
// and the brightness fall from their start values to the sustain values, which the
// loop then holds. Times in milliseconds, levels in percent.
struct WaveVoice {
    int cycle = 32;
    Shape shape = Shape::Saw;
    int pulseWidth = 50;
    int brightStart = 100; // each harmonic's level relative to the one below it
    int brightEnd = 100;
    int attackMs = 0;
    int decayMs = 1; // half-life of the fall towards the sustain values
    int sustain = 100;
    int headMs = 0;       // length of the sample before the loop
    int chorusCycles = 0; // a second oscillator a cycle ahead every this many cycles
    int chorusLevel = 0;
};

struct Instrument {
    int slot = 0;
    std::string id;   // how the song text refers to it
    std::string name; // sample name in the module
    int volume = kMaxVolume;
    uint8_t note = 0; // the note it sounds right at: sample rate and times refer to it
    int peak = 100;   // loudest sample value in percent of full scale
    std::variant<DrumVoice, WaveVoice> voice;
};

struct Song {
    std::string title;
    std::vector<Instrument> instruments;
    std::vector<Pattern> patterns; // in pattern-number order
    std::vector<uint8_t> orders;   // pattern numbers, in play order
    int restart = 0;               // song position the song loops to
};

} // namespace vexatron::demo
