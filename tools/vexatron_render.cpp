// vexatron-render: renders a MOD module to a WAV file with the engine, either the song
// once (until playback would repeat what it played, pattern loops included) or a fixed
// duration.
#include "render_options.h"
#include "vxa_mod.h"
#include "vxa_mod_extras.h"
#include "wav_file.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <unistd.h>
#include <unordered_set>
#include <vector>

using namespace vexatron;

namespace {

constexpr int32_t kRate = 44100;           // Hz
constexpr int32_t kBlockFrames = 4096;     // frames per render call
constexpr int32_t kProgressFrames = 22050; // frames between progress bar updates
constexpr int kProgressWidth = 40;         // characters
constexpr int kRows = 64;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;
constexpr int kExitInterrupted = 130;

volatile std::sig_atomic_t gInterrupted = 0;

void onSignal(int)
{
    gInterrupted = 1;
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

// The song states (vxa_mod_song_state) of the row starts already played: the song ends
// where one comes back. A row that a pattern loop repeats comes back in another state.
class RowsSeen {
public:
    // False when a row start in this state was played before.
    bool firstVisit(uint64_t songState) { return seen_.insert(songState).second; }

private:
    std::unordered_set<uint64_t> seen_;
};

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

// How far the render is: by frames for a fixed duration, else by song position or row.
double progressOf(const RenderOptions &options, const vxa_status &status, uint64_t frames,
                  uint64_t limit)
{
    if (options.seconds)
        return static_cast<double>(frames) / static_cast<double>(limit);
    const double row = status.row / static_cast<double>(kRows);
    if (options.patternMode || status.song_length < 1)
        return row;
    return (status.order_pos + row) / status.song_length;
}

// Renders until the limit, or in the song-once mode until a row would repeat; returns
// the frames written.
uint64_t render(vxa_mod *mod, const RenderOptions &options, uint64_t limit, WavFile &wav)
{
    std::vector<float> block(2 * static_cast<size_t>(kBlockFrames));
    RowsSeen rows;
    ProgressBar progress(isatty(STDERR_FILENO) == 1);
    vxa_status status{};
    uint64_t done = 0;
    while (done < limit && !gInterrupted) {
        int64_t frames = static_cast<int64_t>(std::min<uint64_t>(kBlockFrames, limit - done));
        vxa_mod_get_status(mod, &status);
        if (!options.seconds) {
            const int64_t toRow = vxa_mod_frames_to_row_start(mod);
            if (toRow == 0 && !rows.firstVisit(vxa_mod_song_state(mod)))
                break;
            // At a row start render just that frame: the row may change speed or tempo,
            // and so the frame count to the row after it.
            frames = toRow == 0 ? 1 : std::min(frames, toRow);
        }
        vxa_mod_render(mod, block.data(), static_cast<int32_t>(frames));
        wav.write(block.data(), static_cast<int32_t>(frames));
        done += static_cast<uint64_t>(frames);
        progress.show(progressOf(options, status, done, limit), done);
    }
    progress.clear();
    return done;
}

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
    const WavFormat format = options.floatOutput ? WavFormat::Float32 : WavFormat::Pcm16;
    const double seconds = options.seconds ? *options.seconds : options.maxSeconds;
    const auto limit = static_cast<uint64_t>(std::llround(seconds * kRate));
    if (limit < 1 || limit > WavFile::maxFrames(format))
        return fail("the duration does not fit a WAV file");

    ModPtr mod(vxa_mod_create(kRate));
    if (!mod)
        return fail("out of memory");
    if (vxa_mod_load(mod.get(), options.input.c_str()) != 0)
        return fail(loadError(options.input));
    std::error_code error;
    if (std::filesystem::equivalent(options.input, options.output, error))
        return fail(options.output + ": is the input module; name another output file");
    WavFile wav;
    if (const vxa_write_status opened = wav.open(options.output, format, kRate);
        opened != VXA_WRITE_OK)
        return fail(writeError(options.output, opened));

    vxa_mod_set_replay_mode(mod.get(), options.fullEffects ? VXA_REPLAY_FULL : VXA_REPLAY_REDUCED);
    if (options.patternMode)
        vxa_mod_play_mode(mod.get(), VXA_PLAY_PATTERN, 0);
    else
        vxa_mod_play(mod.get());
    const auto start = std::chrono::steady_clock::now();
    const uint64_t frames = render(mod.get(), options, limit, wav);
    if (gInterrupted)
        return kExitInterrupted; // the WAV file's destructor removes the partial file
    if (const vxa_write_status committed = wav.commit(); committed != VXA_WRITE_OK)
        return fail(writeError(options.output, committed));
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double audio = static_cast<double>(frames) / kRate;
    std::printf("%s: %s (%llu frames) in %.2f s, %.0fx realtime\n", options.output.c_str(),
                formatDuration(frames).c_str(), static_cast<unsigned long long>(frames), wall,
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
