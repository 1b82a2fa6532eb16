/* transport.cpp - starting, stopping and silencing the sequencer, and its queries.
 *
 * A play call restarts from a clean slate: clear channels, no pattern delay or loop,
 * VU levels at 0, tick 0 and a zero countdown, so the very next rendered frame processes
 * the start row; the song position, speed, tempo, mutes and replay mode carry over. Stop
 * works with or without a module. */
#include "vxa_mod_extras.h"
#include "vxa_mod_internal.h"

#include <cstring>

namespace {

constexpr int32_t k_last_row = k_rows_per_pattern - 1;

/* `row` is the start row already limited to 0..63. */
void start_playing(vxa_mod *mod, int32_t mode, int32_t record, int32_t row)
{
    vx_context_clear_channels(mod);
    vx_context_reset_flow(mod);
    std::memset(mod->vu, 0, sizeof mod->vu);
    mod->play_mode = mode == VXA_PLAY_PATTERN ? VXA_PLAY_PATTERN : VXA_PLAY_SONG;
    mod->recording = record != 0 ? 1 : 0;
    mod->row = row;
    mod->tick = 0;
    mod->tick_countdown = 0;
    mod->playing = 1;
    mod->frames_played = 0;
}

} // namespace

void vxa_mod_play(vxa_mod *mod)
{
    vxa_mod_play_mode(mod, VXA_PLAY_SONG, 0);
}

void vxa_mod_play_mode(vxa_mod *mod, int32_t mode, int32_t record)
{
    if (!mod || !mod->patterns)
        return;
    start_playing(mod, mode, record, 0);
}

void vxa_mod_play_mode_at(vxa_mod *mod, int32_t mode, int32_t record, int32_t row)
{
    if (!mod || !mod->patterns)
        return;
    /* A negative row stands for the current one. */
    int32_t start = row < 0 ? mod->row : row;
    start = start < 0 ? 0 : (start > k_last_row ? k_last_row : start);
    start_playing(mod, mode, record, start);
}

void vxa_mod_stop(vxa_mod *mod)
{
    if (!mod)
        return;
    mod->playing = 0;
    mod->recording = 0;
    vx_context_clear_channels(mod);
    std::memset(mod->vu, 0, sizeof mod->vu);
    std::memset(mod->chan_out, k_silence, sizeof mod->chan_out);
}

void vxa_mod_shut_up(vxa_mod *mod)
{
    if (!mod)
        return;
    vx_context_clear_channels(mod);
    std::memset(mod->vu, 0, sizeof mod->vu);
}

int32_t vxa_mod_is_playing(const vxa_mod *mod)
{
    return mod && mod->playing ? 1 : 0;
}

int32_t vxa_mod_is_recording(const vxa_mod *mod)
{
    return mod && mod->recording ? 1 : 0;
}

int32_t vxa_mod_play_mode_get(const vxa_mod *mod)
{
    return mod ? mod->play_mode : VXA_PLAY_SONG;
}

int32_t vxa_mod_restart(const vxa_mod *mod)
{
    return mod ? mod->restart_pos : 0;
}
