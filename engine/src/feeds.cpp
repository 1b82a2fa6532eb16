/* feeds.cpp - the read-only views of the engine for the screen: title and sample names,
 * song position and length, play time, scope rings and sample waveforms. Each is a
 * bounded copy out of the context; a null handle yields neutral content (zeros, the
 * empty string, or 128 for scope and waveform points). */
#include "vxa_mod_internal.h"

#include <cstring>

namespace {

constexpr int32_t k_seconds_per_minute = 60;
constexpr uint8_t k_sign_bit = 0x80;

void fill_flat(uint8_t *out, int32_t count)
{
    if (out && count >= 1)
        std::memset(out, k_silence, static_cast<size_t>(count));
}

} // namespace

void vx_play_time(const vxa_mod *mod, uint32_t *minutes, uint32_t *seconds)
{
    *minutes = 0;
    *seconds = 0;
    if (!mod || mod->rate < 1)
        return;
    const uint64_t total = mod->frames_played / static_cast<uint64_t>(mod->rate);
    *minutes = static_cast<uint32_t>(total / k_seconds_per_minute);
    *seconds = static_cast<uint32_t>(total % k_seconds_per_minute);
}

const char *vxa_mod_title(const vxa_mod *mod)
{
    return mod ? mod->title : "";
}

const char *vxa_mod_sample_name(const vxa_mod *mod, int32_t slot)
{
    return mod && slot >= 1 && slot <= mod->num_samples ? mod->samples[slot - 1].name : "";
}

int32_t vxa_mod_position(const vxa_mod *mod)
{
    return mod ? mod->order_pos : 0;
}

int32_t vxa_mod_order_length(const vxa_mod *mod)
{
    return mod ? mod->song_length : 0;
}

void vxa_mod_get_play_time(const vxa_mod *mod, uint32_t *minutes, uint32_t *seconds)
{
    uint32_t m = 0;
    uint32_t s = 0;
    vx_play_time(mod, &m, &s);
    if (minutes)
        *minutes = m;
    if (seconds)
        *seconds = s;
}

void vxa_mod_get_scope(const vxa_mod *mod, int32_t channel, uint8_t *out, int32_t count)
{
    if (!mod || !out || channel < 0 || channel >= k_num_channels || count < 1) {
        fill_flat(out, count);
        return;
    }
    const int n = count < k_scope_length ? count : k_scope_length;
    /* scope_pos is the next index written, so the oldest of n values is n back. */
    const uint8_t *ring = mod->scope[channel];
    for (int i = 0; i < n; ++i)
        out[i] = ring[(mod->scope_pos - n + i) & (k_scope_length - 1)];
}

int32_t vxa_mod_get_sample_wave(const vxa_mod *mod, int32_t slot, uint8_t *out, int32_t width)
{
    if (!mod || !out || slot < 1 || slot > k_num_slots || width < 1)
        return -1;
    const vxa_sample &sample = mod->samples[slot - 1];
    if (!sample.data || sample.length < 2) {
        fill_flat(out, width);
        return 0;
    }
    /* Plain decimation: the first byte of each of `width` equal spans. */
    for (int32_t i = 0; i < width; ++i) {
        uint64_t k = static_cast<uint64_t>(i) * sample.length / static_cast<uint64_t>(width);
        if (k >= sample.length)
            k = sample.length - 1;
        out[i] = static_cast<uint8_t>(sample.data[k]) ^ k_sign_bit;
    }
    return 0;
}
