/* context.cpp - creating, unloading and destroying the engine context, the volume
 * table, and the transport and channel resets shared by the other engine files.
 *
 * The context is one zero-initialised allocation; its only other heap blocks are the
 * pattern block and the sample buffers, all freed by unload. */
#include "vxa_mod_internal.h"

#include <cstdlib>
#include <cstring>

static void build_vol_table(vxa_mod *mod)
{
    std::memset(mod->vol_table[0], k_silence, sizeof mod->vol_table[0]);
    for (int v = 1; v <= k_max_volume; ++v) {
        for (int b = 0; b < 256; ++b) {
            /* Integer division truncates toward zero, as the table requires. */
            const int scaled = static_cast<int8_t>(b) * v / k_max_volume;
            mod->vol_table[v][b] = static_cast<uint8_t>(scaled + k_silence);
        }
    }
}

void vx_context_set_tempo(vxa_mod *mod, int32_t tempo)
{
    mod->tempo = tempo;
    /* One tick lasts 2.5 / tempo seconds: 50 ticks a second at 125 BPM. */
    mod->frames_per_tick = mod->rate * 2.5 / tempo;
}

void vx_context_clear_channels(vxa_mod *mod)
{
    std::memset(mod->channels, 0, sizeof mod->channels);
}

void vx_context_reset_flow(vxa_mod *mod)
{
    mod->delay_repeats = 0;
    mod->row_repeat = 0;
    std::memset(mod->loop_start, 0, sizeof mod->loop_start);
    std::memset(mod->loop_count, 0, sizeof mod->loop_count);
}

void vx_context_reset_transport(vxa_mod *mod)
{
    mod->order_pos = 0;
    mod->row = 0;
    mod->tick = 0;
    mod->speed = k_default_speed;
    mod->tick_countdown = 0;
    vx_context_set_tempo(mod, k_default_tempo);
    vx_context_clear_channels(mod);
    vx_context_reset_flow(mod);
}

void vx_sample_fit_loop(vxa_sample *slot)
{
    const uint32_t room = slot->loop_start < slot->length ? slot->length - slot->loop_start : 0;
    if (slot->loop_length > room)
        slot->loop_length = room;
    if (slot->loop_length < k_min_loop_bytes) {
        slot->loop_start = 0;
        slot->loop_length = 0;
    }
}

int vx_song_pattern_count(const uint8_t *orders, int song_length)
{
    int highest = 0;
    for (int i = 0; i < song_length; ++i) {
        if (orders[i] > highest)
            highest = orders[i];
    }
    return 1 + (highest < k_max_patterns - 1 ? highest : k_max_patterns - 1);
}

vxa_mod *vxa_mod_create(int32_t rate)
{
    auto *mod = static_cast<vxa_mod *>(std::calloc(1, sizeof(vxa_mod)));
    if (!mod)
        return nullptr;
    mod->rate = rate > 0 ? rate : k_default_rate;
    mod->speed = k_default_speed;
    mod->break_row = -1;
    mod->jump_order = -1;
    build_vol_table(mod);
    vx_context_set_tempo(mod, k_default_tempo);
    return mod;
}

void vxa_mod_unload(vxa_mod *mod)
{
    if (!mod)
        return;
    /* Slot lengths, loops, volumes and names stay: the next load overwrites them. */
    for (vxa_sample &slot : mod->samples) {
        std::free(slot.data);
        slot.data = nullptr;
    }
    std::free(mod->patterns);
    mod->patterns = nullptr;
    mod->num_patterns = 0;
    mod->playing = 0;
    vx_context_clear_channels(mod);
    mod->title[0] = '\0';
}

void vxa_mod_destroy(vxa_mod *mod)
{
    if (!mod)
        return;
    vxa_mod_unload(mod);
    std::free(mod);
}
