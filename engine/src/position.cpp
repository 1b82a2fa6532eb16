/* position.cpp - moving the edit/play position: row, song position, the pattern at a
 * song position, song length and restart position.
 *
 * Deltas may be any int32 and wrap with the mathematical remainder, so stepping back
 * from 0 lands on the last place. Every pattern number written stays below the pattern
 * count, the song length stays in 1..128 and the restart position below the length. */
#include "vxa_mod_internal.h"

namespace {

/* (value + delta) mod n, always in 0..n-1. */
int32_t wrap(int64_t value, int64_t delta, int64_t n)
{
    const int64_t r = (value + delta) % n;
    return static_cast<int32_t>(r < 0 ? r + n : r);
}

/* The row starts afresh: a pattern delay or loop of the old place does not carry over. */
void restart_row(vxa_mod *mod, int32_t row)
{
    mod->row = row;
    mod->tick = 0;
    vx_context_reset_flow(mod);
}

} // namespace

void vxa_mod_step_row(vxa_mod *mod, int32_t delta)
{
    if (!mod || !mod->patterns || mod->playing)
        return;
    restart_row(mod, wrap(mod->row, delta, k_rows_per_pattern));
}

void vxa_mod_set_row(vxa_mod *mod, int32_t row)
{
    if (!mod || !mod->patterns)
        return;
    restart_row(mod, row < 0 ? 0 : row >= k_rows_per_pattern ? k_rows_per_pattern - 1 : row);
}

void vxa_mod_step_order(vxa_mod *mod, int32_t delta)
{
    if (!mod || mod->song_length < 1)
        return;
    mod->order_pos = wrap(mod->order_pos, delta, mod->song_length);
    restart_row(mod, 0);
}

void vxa_mod_step_pattern(vxa_mod *mod, int32_t delta)
{
    if (!mod || mod->song_length < 1 || mod->num_patterns < 1)
        return;
    uint8_t &entry = mod->orders[mod->order_pos];
    entry = static_cast<uint8_t>(wrap(entry, delta, mod->num_patterns));
    restart_row(mod, 0);
}

void vxa_mod_step_length(vxa_mod *mod, int32_t delta)
{
    if (!mod || delta == 0)
        return;
    const int64_t stepped = static_cast<int64_t>(mod->song_length) + delta;
    const int32_t length = static_cast<int32_t>(stepped < 1              ? 1
                                                : stepped > k_max_orders ? k_max_orders
                                                                         : stepped);
    /* New positions repeat the pattern of the last position in use. */
    const uint8_t last = mod->song_length >= 1 ? mod->orders[mod->song_length - 1] : 0;
    for (int32_t i = mod->song_length < 0 ? 0 : mod->song_length; i < length; ++i)
        mod->orders[i] = last;
    mod->song_length = length;
    if (mod->order_pos >= length)
        mod->order_pos = length - 1;
    if (mod->restart_pos >= length)
        mod->restart_pos = 0;
}

void vxa_mod_step_restart(vxa_mod *mod, int32_t delta)
{
    if (!mod || mod->song_length < 1)
        return;
    mod->restart_pos = wrap(mod->restart_pos, delta, mod->song_length);
}
