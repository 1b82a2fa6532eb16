/* status.cpp - the status record: one consistent snapshot of position, speed, meters,
 * mutes and play time, zeroed first so a null handle reads as stopped and empty. */
#include "vxa_mod_internal.h"

#include <cstring>

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
    if (mod->order_pos >= 0 && mod->order_pos < mod->song_length)
        out->pattern = mod->orders[mod->order_pos];
    for (int c = 0; c < k_num_channels; ++c) {
        out->chan_volume[c] = mod->channels[c].volume;
        out->vu[c] = mod->vu[c];
        out->chan_out[c] = mod->chan_out[c];
        out->muted[c] = mod->muted[c];
    }
    vx_play_time(mod, &out->minutes, &out->seconds);
}
