#include "reference_render.h"

#include "replayer.h"
#include "tables.h"

#include <algorithm>

namespace vxtest {

namespace {

uint8_t sampleVoice(vxa_mod *mod, vxa_channel *ch)
{
    const vxa_sample *s = ch->sample;
    if (!s || !s->data || ch->volume == 0 || ch->play_period == 0)
        return 128;
    const auto rate = static_cast<uint32_t>(mod->rate);
    const uint32_t hz = k_pal_clock / ch->play_period;
    const uint32_t whole = hz / rate;
    const auto part = static_cast<uint32_t>((uint64_t{hz - whole * rate} * 65536) / rate);
    const bool looped = s->loop_length >= 3;
    if (ch->pos >= s->length) {
        if (!looped)
            return 128;
        ch->pos = ((ch->pos - s->loop_start) % s->loop_length) + s->loop_start;
    }
    const int volume = std::clamp(ch->volume + ch->trem_delta, 0, 64); // tremolo: full mode only
    const uint8_t out = mod->vol_table[volume][static_cast<uint8_t>(s->data[ch->pos])];
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

void renderOne(vxa_mod *mod, float *lr)
{
    uint8_t x[4];
    for (int c = 0; c < 4; ++c) {
        x[c] = sampleVoice(mod, &mod->channels[c]);
        if (mod->muted[c])
            x[c] = 128;
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

void referenceRender(vxa_mod *mod, float *out, int32_t frames)
{
    if (!mod || !out || frames < 1)
        return;
    const bool sequencing = mod->playing && mod->patterns;
    for (int32_t i = 0; i < frames; ++i) {
        if (sequencing) {
            while (mod->tick_countdown <= 0) {
                vx_replayer_tick(mod);
                mod->tick_countdown += mod->frames_per_tick;
            }
            mod->tick_countdown -= 1.0;
        }
        renderOne(mod, out + 2 * i);
    }
    if (sequencing)
        mod->frames_played += static_cast<uint64_t>(frames);
}

} // namespace vxtest
