/* replayer.cpp - the sequencer's clock: plays each tick in the context's replay mode,
 * then moves on the tick, the row and the song position.
 *
 * It owns the position fields of the context (order_pos, row, tick, speed, tempo,
 * break_row, jump_order) and the full mode's flow state (pattern delay, pattern loops);
 * the replay modes own the musical fields of each channel. A row lasts `speed` ticks,
 * and a pattern delay plays it again in further passes before the row advances. */
#include "replayer.h"

#include "replay_modes.h"

namespace {

constexpr int k_last_row = k_rows_per_pattern - 1;

/* Song mode follows jumps and breaks; a target at or beyond the song's end, and the
 * end itself, continue at the restart position. */
void advance_song_row(vxa_mod *mod)
{
    if (mod->jump_order >= 0) {
        mod->order_pos = mod->jump_order < mod->song_length ? mod->jump_order : mod->restart_pos;
        mod->row = mod->break_row >= 0 ? mod->break_row : 0;
    } else if (mod->row < k_last_row) {
        ++mod->row;
    } else {
        mod->row = 0;
        ++mod->order_pos;
        /* At or beyond, not just at: an empty song (length 0) must not run off the
         * order table. */
        if (mod->order_pos >= mod->song_length)
            mod->order_pos = mod->restart_pos;
    }
    mod->break_row = -1;
    mod->jump_order = -1;
}

/* Pattern mode never leaves the pattern: B and D only choose the next row. */
void advance_pattern_row(vxa_mod *mod)
{
    if (mod->break_row >= 0)
        mod->row = mod->break_row;
    else
        mod->row = mod->row < k_last_row ? mod->row + 1 : 0;
    mod->break_row = -1;
    mod->jump_order = -1;
}

} // namespace

void vx_replayer_tick(vxa_mod *mod)
{
    if (mod->replay_mode == VXA_REPLAY_FULL)
        vx_full_replay_tick(mod);
    else
        vx_reduced_replay_tick(mod);
    if (++mod->tick < mod->speed)
        return;
    mod->tick = 0;
    /* A pending jump or break waits for the last pass of a delayed row. */
    if (mod->delay_repeats > 0) {
        --mod->delay_repeats;
        mod->row_repeat = 1;
        return;
    }
    mod->row_repeat = 0;
    if (mod->play_mode == VXA_PLAY_PATTERN)
        advance_pattern_row(mod);
    else
        advance_song_row(mod);
}

int32_t vx_replayer_ticks_to_row_start(const vxa_mod *mod)
{
    if (mod->tick == 0 && !mod->row_repeat)
        return 0;
    const int32_t left_in_pass = mod->speed > mod->tick ? mod->speed - mod->tick : 1;
    return left_in_pass + mod->delay_repeats * mod->speed;
}
