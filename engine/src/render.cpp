/* render.cpp - the render call: ticks of the replayer interleaved with mixed frames.
 *
 * Defined per frame: before each frame, while the tick countdown is <= 0, process a
 * tick and add frames_per_tick; then subtract 1.0. Here the frames between two ticks
 * are mixed as one run. The countdown keeps the per-frame double sequence exactly:
 * from a countdown c > 0 the next tick comes after ceil(c) frames, and subtracting
 * whole numbers while the value stays >= 1 is exact in double, so c - (n - 1) equals
 * the per-frame value before the run's last frame; the last 1.0 is then subtracted as
 * the per-frame loop does, with the same rounding. */
#include "mixer.h"
#include "replayer.h"
#include "vxa_mod_extras.h"
#include "vxa_mod_internal.h"

#include <cmath>

namespace {

/* Frames mixed before the next tick is due, at most `cap`; `countdown` > 0. */
int32_t frames_until_tick(double countdown, int32_t cap)
{
    const double frames = std::ceil(countdown);
    return frames < cap ? static_cast<int32_t>(frames) : cap;
}

double countdown_after(double countdown, int64_t frames)
{
    return (countdown - static_cast<double>(frames - 1)) - 1.0;
}

void process_due_ticks(vxa_mod *mod)
{
    while (mod->tick_countdown <= 0) {
        vx_replayer_tick(mod);
        mod->tick_countdown += mod->frames_per_tick;
    }
}

} // namespace

void vxa_mod_render(vxa_mod *mod, float *out, int32_t frames)
{
    if (!mod || !out || frames < 1)
        return;
    if (!mod->playing || !mod->patterns) {
        vx_mixer_mix(mod, out, frames);
        return;
    }
    for (int32_t done = 0; done < frames;) {
        process_due_ticks(mod);
        const int32_t run = frames_until_tick(mod->tick_countdown, frames - done);
        mod->tick_countdown = countdown_after(mod->tick_countdown, run);
        vx_mixer_mix(mod, out + 2 * static_cast<int64_t>(done), run);
        done += run;
    }
    mod->frames_played += static_cast<uint64_t>(frames);
}

int64_t vxa_mod_frames_to_row_start(const vxa_mod *mod)
{
    if (!mod)
        return 0;
    double countdown = mod->tick_countdown;
    int32_t ticks = vx_replayer_ticks_to_row_start(mod);
    int64_t frames = 0;
    for (;;) {
        while (countdown <= 0) {
            if (ticks == 0)
                return frames;
            --ticks;
            countdown += mod->frames_per_tick;
        }
        const auto run = static_cast<int64_t>(std::ceil(countdown));
        frames += run;
        countdown = countdown_after(countdown, run);
    }
}
