// vexatron-render: renders a MOD module to a WAV file with the render library (the song
// once, until playback would repeat what it played, pattern loops included; or a fixed
// duration), showing its progress on a terminal.
#include "app_tables.h"
#include "render_options.h"
#include "song_render.h"
#include "vxa_mod.h"
#include "vxa_mod_extras.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include <unistd.h>

using namespace vexatron;

namespace {

constexpr int32_t kRate = vexa::kOutputRate; // Hz, the rate the render library writes
constexpr int32_t kProgressFrames = 22050;   // frames between progress bar updates
constexpr int kProgressWidth = 40;           // characters
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;
constexpr int kExitInterrupted = 130;

volatile std::sig_atomic_t gInterrupted = 0;

void onSignal(int)
{
    gInterrupted = 1;
}

// Whether standard error is a terminal, where the progress bar can redraw its line.
// Standard C++ has no way to ask, so this is the tool's one POSIX call.
bool stderrIsTerminal()
{
    return isatty(STDERR_FILENO) == 1;
}

struct ModDeleter {
    void operator()(vxa_mod *mod) const { vxa_mod_destroy(mod); }
};
using ModPtr = std::unique_ptr<vxa_mod, ModDeleter>;

int fail(const std::string &message)
{
    std::fprintf(stderr, "vexatron-render: %s\n", message.c_str());
    return kExitFailure;
}

// Why a module did not load, in the user's terms. Only a regular file is opened: a
// named pipe would keep the tool waiting for a writer.
std::string loadError(const std::string &path)
{
    std::error_code error;
    const auto type = std::filesystem::status(path, error).type();
    if (type == std::filesystem::file_type::not_found)
        return path + ": no such file";
    if (type == std::filesystem::file_type::directory)
        return path + ": is a folder";
    if (type != std::filesystem::file_type::regular)
        return path + ": not a regular file";
    if (FILE *file = std::fopen(path.c_str(), "rb"); file)
        std::fclose(file);
    else
        return path + ": cannot read the file";
    return path + ": not a MOD module";
}

// Why the output could not be written, in the user's terms.
std::string writeError(const std::string &path, vxa_write_status status)
{
    const std::string prefix = path + ": cannot write the file";
    switch (status) {
    case VXA_WRITE_READ_ONLY:
        return prefix + ": it is read-only";
    case VXA_WRITE_NO_PERMISSION:
        return prefix + ": no permission to write in its folder";
    case VXA_WRITE_READ_ONLY_DISK:
        return prefix + ": the disk is read-only";
    case VXA_WRITE_DISK_FULL:
        return prefix + ": the disk is full";
    case VXA_WRITE_TOO_LARGE:
        return prefix + ": it is too large for the disk";
    case VXA_WRITE_NAME_TOO_LONG:
        return prefix + ": the name is too long";
    case VXA_WRITE_NO_FOLDER:
        return prefix + ": its folder does not exist";
    case VXA_WRITE_IS_FOLDER:
        return prefix + ": a folder has that name";
    case VXA_WRITE_NOT_A_FILE:
        return prefix + ": something other than a file has that name";
    default:
        return prefix;
    }
}

class ProgressBar {
public:
    explicit ProgressBar(bool enabled) : enabled_(enabled) {}

    void show(double fraction, uint64_t frames)
    {
        if (!enabled_ || frames < next_)
            return;
        next_ = frames + kProgressFrames;
        const int filled = static_cast<int>(std::clamp(fraction, 0.0, 1.0) * kProgressWidth);
        std::fprintf(stderr, "\r[%-*s] %7.1f s", kProgressWidth, std::string(filled, '#').c_str(),
                     static_cast<double>(frames) / kRate);
    }
    void clear() const
    {
        if (enabled_)
            std::fprintf(stderr, "\r%*s\r", kProgressWidth + 14, "");
    }

private:
    bool enabled_;
    uint64_t next_ = 0;
};

std::string formatDuration(uint64_t frames)
{
    const uint64_t ms = frames * 1000 / kRate;
    char text[32];
    std::snprintf(text, sizeof text, "%llu:%02llu.%03llu",
                  static_cast<unsigned long long>(ms / 60000),
                  static_cast<unsigned long long>(ms / 1000 % 60),
                  static_cast<unsigned long long>(ms % 1000));
    return text;
}

int run(const RenderOptions &options)
{
    const uint64_t limit = vexa::renderLimitFrames(options.song);
    if (limit < 1 || limit > vexa::WavFile::maxFrames(options.song.format))
        return fail("the duration does not fit a WAV file");

    ModPtr mod(vxa_mod_create(kRate));
    if (!mod)
        return fail("out of memory");
    if (vxa_mod_load(mod.get(), options.input.c_str()) != 0)
        return fail(loadError(options.input));
    std::error_code error;
    if (std::filesystem::equivalent(options.input, options.output, error))
        return fail(options.output + ": is the input module; name another output file");

    ProgressBar progress(stderrIsTerminal());
    const auto start = std::chrono::steady_clock::now();
    const vexa::RenderResult result = vexa::renderToWav(
        mod.get(), options.output, options.song, [&](const vexa::RenderProgress &done) {
            progress.show(done.fraction, done.frames);
            return !gInterrupted;
        });
    progress.clear();
    if (result.stopped)
        return kExitInterrupted;
    if (result.status != VXA_WRITE_OK)
        return fail(writeError(options.output, result.status));
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double audio = static_cast<double>(result.frames) / kRate;
    std::printf("%s: %s (%llu frames) in %.2f s, %.0fx realtime\n", options.output.c_str(),
                formatDuration(result.frames).c_str(),
                static_cast<unsigned long long>(result.frames), wall,
                wall > 0 ? audio / wall : 0.0);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--help") {
            std::fputs(kRenderUsage, stdout);
            return 0;
        }
    }
    std::string error;
    const auto options = parseRenderOptions(argc, argv, error);
    if (!options) {
        std::fprintf(stderr, "vexatron-render: %s\n%s", error.c_str(), kRenderUsage);
        return kExitUsage;
    }
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
    return run(*options);
}
