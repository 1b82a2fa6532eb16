/* transport.cpp - starting, stopping and silencing the sequencer, and the transport
 * queries. */
#include "vxa_mod_internal.h"

#include <cstring>

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
    return mod ? mod->play_mode : 0;
}

int32_t vxa_mod_restart(const vxa_mod *mod)
{
    return mod ? mod->restart_pos : 0;
}
