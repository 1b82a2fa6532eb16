// The controller's counts, limits, rates and intervals, each named once. The engine's
// own tables are in engine/src/tables.h, the screen's in ui/ui_tables.h.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>

namespace vexa {

// Audio output: one rate (Hz) for the device and the engine context, so their frames
// are one to one.
inline constexpr int32_t kOutputRate = 44100;
inline constexpr uint32_t kOutputChannels = 2;
inline constexpr float kOutputVolume = 1.0f;
// Stereo frames the render scratch holds from the start; it grows only for larger calls.
inline constexpr int64_t kInitialScratchFrames = 4096;
// The display timer: thirty frames a second.
inline constexpr std::chrono::nanoseconds kDisplayInterval{1'000'000'000 / 30};

// Patterns and the edit cursor.
inline constexpr int kChannelCount = 4;
inline constexpr int kPatternRowCount = 64;
inline constexpr int kPatternCells = kPatternRowCount * kChannelCount; // 256
// Note, sample high and low digit, effect, parameter high and low digit.
inline constexpr int kFieldsPerChannel = 6;
inline constexpr int kCursorPositions = kFieldsPerChannel * kChannelCount; // 24
// The pattern well: eleven rows, the playhead sixth; placeholder rows outside 0..63 get
// the ids kPlaceholderIdBase - k for the k-th shown row.
inline constexpr int kVisiblePatternRows = 11;
inline constexpr int kRowsAbovePlayhead = 5;
inline constexpr int64_t kPlaceholderIdBase = -1000;

// Notes 1..36 (C-1..B-3), three keyboard octaves 0..2; sample slots 1..31.
inline constexpr int kHighestNote = 36;
inline constexpr int kSemitonesPerOctave = 12;
inline constexpr int kMaxOctave = 2;
inline constexpr int kSlotCount = 31;
inline constexpr int kHexBase = 16;

// Display feeds, in unsigned 8-bit points with kZeroLine as silence.
inline constexpr int kScopeBytes = 128;
inline constexpr int kSpectrumBins = 24;
inline constexpr int kSampleWaveBytes = 256;
inline constexpr uint8_t kZeroLine = 0x80;
// The sample fields shown while no module is loaded: volume 0..64, loop length in bytes.
inline constexpr int64_t kIdleSampleVolume = 64;
inline constexpr int64_t kIdleLoopLength = 2;

// The module title: up to 20 characters.
inline constexpr int kTitleChars = 20;

// The edit history keeps at most this many steps and this many bytes of sound and
// pattern data; the oldest steps go first.
inline constexpr size_t kUndoMaxSteps = 10'000;
inline constexpr size_t kUndoMaxStoredBytes = size_t{64} << 20;

// Rendering a song to a WAV file: frames per render call, and how long a song played
// once may last at most (s), for a song that never repeats a row start.
inline constexpr int32_t kRenderBlockFrames = 4096;
inline constexpr double kRenderMaxSeconds = 1200;

// Versioned saves number their files 1..kMaxVersion - 1.
inline constexpr int kMaxVersion = 10000;

} // namespace vexa
