// The command line of vexatron-render.
#pragma once

#include "song_render.h"

#include <optional>
#include <string>

namespace vexatron {

struct RenderOptions {
    std::string input;
    std::string output;
    vexa::SongRenderOptions song; // what is rendered, and how it is written
};

// The options, or nothing with `error` set to a one-line reason.
std::optional<RenderOptions> parseRenderOptions(int argc, char **argv, std::string &error);

extern const char *const kRenderUsage;

} // namespace vexatron
