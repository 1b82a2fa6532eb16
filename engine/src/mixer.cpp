/* mixer.cpp - straightforward per-frame mixer (first version). */
#include "mixer.h"
#include "vxa_mod_internal.h"

namespace {

constexpr uint32_t k_paula_clock = 3546895; /* Hz, PAL */

uint8_t sample_voice(vxa_mod *mod, vxa_channel *ch)
{
    const vxa_sample *s = ch->sample;
    if (!s || !s->data || ch->volume == 0 || ch->play_period == 0)
        return k_silence;
    const uint32_t rate = static_cast<uint32_t>(mod->rate);
    const uint32_t hz = k_paula_clock / ch->play_period;
    const uint32_t whole = hz / rate;
    const uint32_t part =
        static_cast<uint32_t>((static_cast<uint64_t>(hz - whole * rate) * 65536) / rate);
    const bool looped = s->loop_length >= k_min_loop_bytes;
    if (ch->pos >= s->length) {
        if (!looped)
            return k_silence;
        ch->pos = ((ch->pos - s->loop_start) % s->loop_length) + s->loop_start;
    }
    const uint8_t out = mod->vol_table[ch->volume][static_cast<uint8_t>(s->data[ch->pos])];
    const uint32_t f = ch->frac + part;
    ch->pos = ch->pos + whole + (f >> 16);
    ch->frac = f & 0xFFFF;
    if (!looped) {
        if (ch->pos >= s->length)
            ch->pos = s->length;
    } else {
        const uint32_t end = s->loop_start + s->loop_length;
        while (ch->pos >= end)
            ch->pos -= s->loop_length;
    }
    return out;
}

void render_one(vxa_mod *mod, float *lr)
{
    uint8_t x[k_num_channels];
    for (int c = 0; c < k_num_channels; ++c) {
        x[c] = sample_voice(mod, &mod->channels[c]);
        if (mod->muted[c])
            x[c] = k_silence;
        mod->chan_out[c] = x[c];
        mod->scope[c][mod->scope_pos] = x[c];
    }
    ++mod->scope_pos;
    const int left = (x[0] + x[1]) / 2;
    const int right = (x[2] + x[3]) / 2;
    lr[0] = (static_cast<float>(left) - 128.0f) * 0.0078125f;
    lr[1] = (static_cast<float>(right) - 128.0f) * 0.0078125f;
}

} // namespace

void vx_mixer_mix(vxa_mod *mod, float *out, int32_t frames)
{
    for (int32_t i = 0; i < frames; ++i)
        render_one(mod, out + 2 * i);
}
