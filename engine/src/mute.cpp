/* mute.cpp - the per-channel mute switches. A muted channel keeps playing in time but
 * is heard and shown as silence; muting also drops its meter and flattens its scope. */
#include "vxa_mod_internal.h"

#include <cstring>

namespace {

void apply_mute(vxa_mod *mod, uint32_t channel, bool on)
{
    mod->muted[channel] = on ? 1 : 0;
    if (!on)
        return;
    mod->vu[channel] = 0;
    std::memset(mod->scope[channel], k_silence, k_scope_length);
}

} // namespace

int32_t vxa_mod_chan_muted(const vxa_mod *mod, uint32_t channel)
{
    return mod && channel < k_num_channels && mod->muted[channel] ? 1 : 0;
}

int32_t vxa_mod_toggle_mute(vxa_mod *mod, uint32_t channel)
{
    if (!mod || channel >= k_num_channels)
        return 0;
    apply_mute(mod, channel, !mod->muted[channel]);
    return mod->muted[channel];
}

void vxa_mod_set_mute(vxa_mod *mod, uint32_t channel, int32_t on)
{
    if (mod && channel < k_num_channels)
        apply_mute(mod, channel, on != 0);
}
