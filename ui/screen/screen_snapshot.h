// The controller's published values that one repaint of the screen reads, copied in one
// go, with the screen's own help state. Comparing two snapshots tells what must be
// painted again: the paint layer only when its part changed, the rest when anything did.
#pragma once

#include "pattern_row_display.h"
#include "player_engine.h"
#include "screen_modes.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// What the paint layer shows: the parameter values, the buttons' pressed states, the
// middle band's texts and the pattern well.
struct VexaPaintedValues {
    int64_t orderPos = 0;
    int64_t currentPattern = 0;
    int64_t orderLen = 0;
    int64_t restartPos = 0;
    int64_t currentSample = 0;
    int64_t sampleVolume = 0;
    int64_t sampleLength = 0;     // bytes
    int64_t sampleLoopStart = 0;  // bytes
    int64_t sampleLoopLength = 0; // bytes
    int64_t octave = 0;
    std::string title;
    std::string sampleName;
    int64_t currentRow = 0;
    std::string statusPhrase;
    std::string timerLine;
    std::vector<vexa::PatternRowDisplay> patternRows;
    std::array<int64_t, vexa::kChannelCount> chanMuzak{}; // VU levels 0..64
    int64_t editCh = 0;
    int64_t cursorPos = 0;
    bool isPlaying = false;
    bool playModeSong = true;
    bool isRecording = false;
    bool editMode = false;
    bool filterOn = false;
    std::array<bool, vexa::kChannelCount> chanMute{};
    vexa::VexaMidWellOverlay midWellOverlay = vexa::VexaMidWellOverlay::none;
    bool helpOpen = false;

    bool operator==(const VexaPaintedValues &) const = default;
};

// The rest, which the middle well and the help overlay paint over the paint layer.
struct VexaLiveValues {
    vexa::VexaMidWellMode midWellMode = vexa::VexaMidWellMode::splash;
    vexa::ScopeBuffers scopeBuffers{};
    vexa::SpectrumBins spectrumBins{};
    vexa::SampleWave sampleWave{};
    int64_t smpEdMarkNext = 0;
    int helpPage = 0;

    bool operator==(const VexaLiveValues &) const = default;
};

struct VexaScreenSnapshot {
    VexaPaintedValues painted;
    VexaLiveValues live;

    bool operator==(const VexaScreenSnapshot &) const = default;

    static VexaScreenSnapshot read(const vexa::PlayerEngine &player, bool helpOpen, int helpPage);
};
