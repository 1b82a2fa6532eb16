#include "render_options.h"

#include <cmath>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace vexatron {

const char *const kRenderUsage =
    "usage: vexatron-render [options] INPUT.mod OUTPUT.wav\n"
    "Renders a MOD module to a 44,100 Hz stereo WAV file.\n"
    "  --seconds S      render exactly S seconds instead of the song once\n"
    "  --max-seconds S  stop the song-once rendering after S seconds (default 1200)\n"
    "  --pattern        play the first song position's pattern, repeating it\n"
    "  --float          write 32-bit float samples instead of 16-bit PCM\n"
    "  --full-effects   play every effect command, tremolo and finetune, as the\n"
    "                   classic four-channel players do\n"
    "  --help           show this text\n";

namespace {

std::optional<double> parseSeconds(const char *text)
{
    char *end = nullptr;
    const double value = std::strtod(text, &end);
    if (end == text || *end != '\0' || !std::isfinite(value) || value <= 0)
        return std::nullopt;
    return value;
}

} // namespace

std::optional<RenderOptions> parseRenderOptions(int argc, char **argv, std::string &error)
{
    RenderOptions options;
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--seconds" || arg == "--max-seconds") {
            const auto value = i + 1 < argc ? parseSeconds(argv[++i]) : std::nullopt;
            if (!value) {
                error = std::string(arg) + " needs a positive number of seconds";
                return std::nullopt;
            }
            if (arg == "--seconds")
                options.song.seconds = value;
            else
                options.song.maxSeconds = *value;
        } else if (arg == "--pattern") {
            options.song.patternMode = true;
        } else if (arg == "--float") {
            options.song.format = vexa::WavFormat::Float32;
        } else if (arg == "--full-effects") {
            options.song.replayMode = VXA_REPLAY_FULL;
        } else if (arg.size() > 1 && arg[0] == '-') {
            error = "unknown option " + std::string(arg);
            return std::nullopt;
        } else {
            files.emplace_back(arg);
        }
    }
    if (files.size() != 2) {
        error = "expected an input module and an output WAV file";
        return std::nullopt;
    }
    options.input = files[0];
    options.output = files[1];
    return options;
}

} // namespace vexatron
