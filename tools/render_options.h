// The command line of vexatron-render.
#pragma once

#include <optional>
#include <string>

namespace vexatron {

struct RenderOptions {
    std::string input;
    std::string output;
    std::optional<double> seconds; // render exactly this long instead of the song once
    double maxSeconds = 1200;      // safety limit of the song-once mode
    bool patternMode = false;      // repeat the current pattern instead of the song
    bool floatOutput = false;      // 32-bit float WAV instead of 16-bit PCM
    bool fullEffects = false;      // the engine's full replay mode instead of the reduced one
};

// The options, or nothing with `error` set to a one-line reason.
std::optional<RenderOptions> parseRenderOptions(int argc, char **argv, std::string &error);

extern const char *const kRenderUsage;

} // namespace vexatron
