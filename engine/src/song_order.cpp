/* song_order.cpp - the song's order header as one record: its length, restart position
 * and the whole order table, read before an edit and written back to take it back.
 *
 * Writing keeps the invariants of the stepping calls: the length in 0..128, the restart
 * position below it, and the current song position inside the song. The table is written
 * whole and as given, since entries past the length come back when the song grows. */
#include "vxa_mod_extras.h"
#include "vxa_mod_internal.h"

#include <cstring>

static_assert(sizeof(vxa_song_order::orders) == k_max_orders, "one byte per song position");

int32_t vxa_mod_get_song_order(const vxa_mod *mod, vxa_song_order *out)
{
    if (!mod || !out)
        return -1;
    out->song_length = mod->song_length;
    out->restart_pos = mod->restart_pos;
    std::memcpy(out->orders, mod->orders, sizeof out->orders);
    return 0;
}

int32_t vxa_mod_set_song_order(vxa_mod *mod, const vxa_song_order *in)
{
    if (!mod || !in)
        return -1;
    const int32_t length = in->song_length < 0              ? 0
                           : in->song_length > k_max_orders ? k_max_orders
                                                            : in->song_length;
    std::memcpy(mod->orders, in->orders, sizeof mod->orders);
    mod->song_length = length;
    mod->restart_pos = in->restart_pos >= 0 && in->restart_pos < length ? in->restart_pos : 0;
    if (mod->order_pos >= length)
        mod->order_pos = length > 0 ? length - 1 : 0;
    return 0;
}
