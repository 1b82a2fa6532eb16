// A module rendered to a WAV file: the song once from its start (until playback would
// repeat what it played, pattern loops included), or the first position's pattern over
// and over, or a fixed duration. The render tool and the program's WAV export both render
// this way, so their files are the same frame for frame.
//
// One thread, one context: the context is the caller's own (a scratch context, never the
// one the audio thread plays), so nothing here takes a lock.
#pragma once

#include "app_tables.h"
#include "vxa_mod.h"
#include "vxa_mod_extras.h"
#include "wav_file.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace vexa {

struct SongRenderOptions {
    std::optional<double> seconds;         // render exactly this long instead of the song once
    double maxSeconds = kRenderMaxSeconds; // the song-once render stops here at the latest
    bool patternMode = false; // repeat the first position's pattern instead of the song
    vxa_replay_mode replayMode = VXA_REPLAY_REDUCED;
    WavFormat format = WavFormat::Pcm16;
};

// How far a render has come: frames written, and the part of the whole done (0..1, by
// song position and row for the song once, by time for a fixed duration).
struct RenderProgress {
    uint64_t frames;
    double fraction;
};
// Told after each piece rendered; false stops the render.
using RenderProgressCall = std::function<bool(const RenderProgress &progress)>;

struct RenderResult {
    vxa_write_status status; // VXA_WRITE_OK when the file is complete at the target
    uint64_t frames;         // frames rendered
    bool stopped;            // the progress call stopped it: no file was written
};

// Frames the longest render of `options` may write; the render refuses more than a WAV
// file holds.
uint64_t renderLimitFrames(const SongRenderOptions &options);

// Plays the module loaded in `mod` from its start as `options` say and writes it to a WAV
// file at `target`, which appears only when complete. The file is 44,100 Hz stereo.
RenderResult renderToWav(vxa_mod *mod, const std::string &target, const SongRenderOptions &options,
                         const RenderProgressCall &progress);

} // namespace vexa
