/* render.cpp - the render call: ticks interleaved with mixed frames (per frame). */
#include "render.h"
#include "mixer.h"
#include "replayer.h"

#include <cmath>

void vxa_mod_render(vxa_mod *mod, float *out, int32_t frames)
{
    if (!mod || !out || frames < 1)
        return;
    const bool sequencing = mod->playing && mod->patterns;
    for (int32_t i = 0; i < frames; ++i) {
        if (sequencing) {
            while (mod->tick_countdown <= 0) {
                vx_replayer_tick(mod);
                mod->tick_countdown += mod->frames_per_tick;
            }
            mod->tick_countdown -= 1.0;
        }
        vx_mixer_mix(mod, out + 2 * i, 1);
    }
    if (sequencing)
        mod->frames_played += static_cast<uint64_t>(frames);
}

int64_t vx_render_frames_to_row_start(const vxa_mod *mod)
{
    double countdown = mod->tick_countdown;
    int32_t tick = mod->tick;
    int64_t frames = 0;
    for (;;) {
        while (countdown <= 0) {
            if (tick == 0)
                return frames;
            tick = tick + 1 < mod->speed ? tick + 1 : 0;
            countdown += mod->frames_per_tick;
        }
        const double run = std::ceil(countdown);
        frames += static_cast<int64_t>(run);
        countdown = (countdown - (run - 1.0)) - 1.0;
    }
}
