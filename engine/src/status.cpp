/* status.cpp - the status record: one consistent snapshot of the transport, the
 * channel volumes, the meters and the play time. */
#include "vxa_mod_internal.h"

#include <cstring>

namespace {

constexpr uint64_t k_seconds_per_minute = 60;

} // namespace

void vxa_mod_get_status(const vxa_mod *mod, vxa_status *out)
{
    if (!out)
        return;
    std::memset(out, 0, sizeof *out);
    if (!mod)
        return;
    out->playing = static_cast<uint32_t>(mod->playing);
    out->recording = static_cast<uint32_t>(mod->recording);
    out->play_mode = static_cast<uint32_t>(mod->play_mode);
    out->order_pos = mod->order_pos;
    out->song_length = mod->song_length;
    out->row = mod->row;
    out->tick = mod->tick;
    out->speed = mod->speed;
    out->tempo = mod->tempo;
    out->num_patterns = mod->num_patterns;
    if (mod->order_pos >= 0 && mod->order_pos < mod->song_length && mod->order_pos < k_max_orders)
        out->pattern = mod->orders[mod->order_pos];
    for (int c = 0; c < k_num_channels; ++c)
        out->chan_volume[c] = mod->channels[c].volume;
    std::memcpy(out->vu, mod->vu, sizeof out->vu);
    std::memcpy(out->chan_out, mod->chan_out, sizeof out->chan_out);
    std::memcpy(out->muted, mod->muted, sizeof out->muted);
    if (mod->rate >= 1) {
        const uint64_t seconds = mod->frames_played / static_cast<uint64_t>(mod->rate);
        out->minutes = static_cast<uint32_t>(seconds / k_seconds_per_minute);
        out->seconds = static_cast<uint32_t>(seconds % k_seconds_per_minute);
    }
}
