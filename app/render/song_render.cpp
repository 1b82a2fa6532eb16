#include "song_render.h"

#include <algorithm>
#include <cmath>
#include <unordered_set>
#include <vector>

namespace vexa {

namespace {

// The song states (vxa_mod_song_state) of the row starts already played: the song ends
// where one comes back. A row that a pattern loop repeats comes back in another state.
class SongStatesSeen {
public:
    // False when a row start in this state was played before.
    bool firstVisit(uint64_t songState) { return seen_.insert(songState).second; }

private:
    std::unordered_set<uint64_t> seen_;
};

double progressOf(const SongRenderOptions &options, const vxa_status &status, uint64_t frames,
                  uint64_t limit)
{
    if (options.seconds)
        return static_cast<double>(frames) / static_cast<double>(limit);
    const double row = status.row / static_cast<double>(kPatternRowCount);
    if (options.patternMode || status.song_length < 1)
        return row;
    return (status.order_pos + row) / status.song_length;
}

// Renders until the limit, or in the song-once mode until a row start would repeat;
// returns the frames written, and whether the progress call stopped it.
std::pair<uint64_t, bool> renderFrames(vxa_mod *mod, const SongRenderOptions &options,
                                       uint64_t limit, const RenderProgressCall &progress,
                                       WavFile &wav)
{
    std::vector<float> block(2 * static_cast<size_t>(kRenderBlockFrames));
    SongStatesSeen states;
    vxa_status status{};
    uint64_t done = 0;
    while (done < limit) {
        int64_t frames = static_cast<int64_t>(std::min<uint64_t>(kRenderBlockFrames, limit - done));
        vxa_mod_get_status(mod, &status);
        if (!options.seconds) {
            const int64_t toRow = vxa_mod_frames_to_row_start(mod);
            if (toRow == 0 && !states.firstVisit(vxa_mod_song_state(mod)))
                break;
            // At a row start render just that frame: the row may change speed or tempo,
            // and so the frame count to the row after it.
            frames = toRow == 0 ? 1 : std::min(frames, toRow);
        }
        vxa_mod_render(mod, block.data(), static_cast<int32_t>(frames));
        wav.write(block.data(), static_cast<int32_t>(frames));
        done += static_cast<uint64_t>(frames);
        if (progress && !progress({done, progressOf(options, status, done, limit)}))
            return {done, true};
    }
    return {done, false};
}

} // namespace

uint64_t renderLimitFrames(const SongRenderOptions &options)
{
    const double seconds = options.seconds ? *options.seconds : options.maxSeconds;
    return static_cast<uint64_t>(std::llround(seconds * kOutputRate));
}

RenderResult renderToWav(vxa_mod *mod, const std::string &target, const SongRenderOptions &options,
                         const RenderProgressCall &progress)
{
    const uint64_t limit = renderLimitFrames(options);
    if (limit > WavFile::maxFrames(options.format))
        return {VXA_WRITE_TOO_LARGE, 0, false};
    WavFile wav;
    if (const vxa_write_status opened = wav.open(target, options.format, kOutputRate);
        opened != VXA_WRITE_OK)
        return {opened, 0, false};
    vxa_mod_set_replay_mode(mod, options.replayMode);
    if (options.patternMode)
        vxa_mod_play_mode(mod, VXA_PLAY_PATTERN, 0);
    else
        vxa_mod_play(mod);
    const auto [frames, stopped] = renderFrames(mod, options, limit, progress, wav);
    if (stopped)
        return {VXA_WRITE_OK, frames, true}; // the file's destructor removes the partial file
    return {wav.commit(), frames, false};
}

} // namespace vexa
