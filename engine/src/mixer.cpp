/* mixer.cpp - the four channels stepped through their samples and mixed to stereo.
 *
 * Frame by frame, the mix is simple: each channel steps through signed 8-bit data by
 * a 16.16 step from its period against the PAL clock, is scaled through `vol_table`,
 * and the pairs (0, 1) and (2, 3) are averaged into the left and right outputs. Between
 * two ticks nothing but the positions changes, so this file works on runs instead: one
 * channel at a time over a chunk of frames, in segments that end only where the
 * per-frame end handling (end of a one-shot sample, end of a loop) would act. The
 * output, the positions, `chan_out`, the scope rings and `scope_pos` come out bit for
 * bit as the plain per-frame model in tests/engine/reference_render.cpp gives them
 * (tests/engine/render_model_test.cpp compares the two).
 *
 * The slot's data, length and loop are read again for every chunk, since sample
 * edits may free or replace them between two render calls. */
#include "mixer.h"

#include "tables.h"

#include <cstring>

namespace {

constexpr int k_frac_bits = 16; /* positions are 16.16 fixed point, bytes */
constexpr uint64_t k_frac_mask = (uint64_t{1} << k_frac_bits) - 1;
constexpr int32_t k_chunk_frames = 512;      /* frames per channel buffer */
constexpr float k_output_scale = 0.0078125f; /* 1/128 per unsigned 8-bit step */

/* What one channel plays during a chunk. The loop is seen fitted inside the sample,
 * so that a slot whose loop reaches past its end can never be read beyond it. */
struct voice {
    const int8_t *data;
    const uint8_t *volume_row; /* vol_table row of the channel volume */
    uint64_t step;             /* 16.16 bytes per frame */
    uint32_t length;           /* bytes */
    uint32_t loop_start;       /* bytes; used only when looped */
    uint32_t loop_end;         /* bytes */
    uint32_t loop_length;      /* bytes */
    bool looped;
};

/* hz is the note's sample rate; the step is hz / rate in 16.16, by integer division
 * of the whole and fractional parts. */
uint64_t step_for(uint32_t rate, uint16_t period)
{
    const uint32_t hz = k_pal_clock / period;
    const uint32_t whole = hz / rate;
    const uint64_t part = (uint64_t{hz - whole * rate} << k_frac_bits) / rate;
    return (uint64_t{whole} << k_frac_bits) + part;
}

/* False when the channel is silent and holds its position. */
bool voice_of(const vxa_mod *mod, const vxa_channel &ch, voice *v)
{
    const vxa_sample *s = ch.sample;
    if (!s || !s->data || ch.volume == 0 || ch.play_period == 0)
        return false;
    /* The tremolo (full replay mode) moves the played volume, never the silence test:
     * a sample keeps running through the tremolo's quiet phases. */
    const int played = ch.volume + ch.trem_delta;
    const int volume = played < 0 ? 0 : (played > k_max_volume ? k_max_volume : played);
    v->data = s->data;
    v->volume_row = mod->vol_table[volume];
    v->step = step_for(static_cast<uint32_t>(mod->rate), ch.play_period);
    vxa_sample fitted = *s;
    vx_sample_fit_loop(&fitted);
    v->length = fitted.length;
    v->looped = fitted.loop_length >= k_min_loop_bytes;
    v->loop_start = fitted.loop_start;
    v->loop_length = fitted.loop_length;
    v->loop_end = fitted.loop_start + fitted.loop_length;
    return true;
}

/* Frames until the advance carries the position (16.16) to `limit` bytes or beyond,
 * at most `cap`: the frames that can be fetched without end handling. */
int32_t frames_below(uint64_t acc, uint64_t step, uint32_t limit, int32_t cap)
{
    const uint64_t end = uint64_t{limit} << k_frac_bits;
    if (step == 0)
        return cap;
    const uint64_t frames = (end - acc + step - 1) / step;
    return frames < static_cast<uint64_t>(cap) ? static_cast<int32_t>(frames) : cap;
}

/* The inner loop: no branch but the loop's own, four frames per pass from one base
 * position; every fetch is below the segment's limit, which lies inside the sample. */
uint64_t fetch_run(const voice &v, uint64_t acc, uint8_t *out, int32_t frames)
{
    const int8_t *data = v.data;
    const uint8_t *row = v.volume_row;
    const uint64_t step = v.step;
    const uint64_t step2 = 2 * step;
    const uint64_t step3 = 3 * step;
    const uint64_t step4 = 4 * step;
    int32_t i = 0;
    for (; i + 4 <= frames; i += 4) {
        out[i] = row[static_cast<uint8_t>(data[acc >> k_frac_bits])];
        out[i + 1] = row[static_cast<uint8_t>(data[(acc + step) >> k_frac_bits])];
        out[i + 2] = row[static_cast<uint8_t>(data[(acc + step2) >> k_frac_bits])];
        out[i + 3] = row[static_cast<uint8_t>(data[(acc + step3) >> k_frac_bits])];
        acc += step4;
    }
    for (; i < frames; ++i) {
        out[i] = row[static_cast<uint8_t>(data[acc >> k_frac_bits])];
        acc += step;
    }
    return acc;
}

/* Renders `frames` frames of one sounding channel into `out`, or only advances it when
 * `out` is null (a muted channel keeps time). Returns the new 16.16 position, or the
 * unchanged one after the end of a one-shot sample. */
uint64_t play_voice(const voice &v, uint64_t acc, uint8_t *out, int32_t frames)
{
    int32_t done = 0;
    while (done < frames) {
        uint64_t pos = acc >> k_frac_bits;
        if (pos >= v.length) {
            if (!v.looped) {
                if (out)
                    std::memset(out + done, k_silence, static_cast<size_t>(frames - done));
                return acc;
            }
            pos = (pos - v.loop_start) % v.loop_length + v.loop_start;
            acc = pos << k_frac_bits | (acc & k_frac_mask);
        }
        /* Inside a loop the end is the loop's end; a position past the loop's end but
         * inside the sample plays one frame and then wraps. */
        const uint32_t limit = v.looped ? v.loop_end : v.length;
        const int32_t left = frames - done;
        const int32_t run = pos < limit ? frames_below(acc, v.step, limit, left) : 1;
        if (out)
            acc = fetch_run(v, acc, out + done, run);
        else
            acc += v.step * static_cast<uint64_t>(run);
        done += run;
        pos = acc >> k_frac_bits;
        if (!v.looped && pos >= v.length)
            acc = uint64_t{v.length} << k_frac_bits | (acc & k_frac_mask);
        else if (v.looped && pos >= v.loop_end)
            acc = ((pos - v.loop_end) % v.loop_length + v.loop_start) << k_frac_bits |
                  (acc & k_frac_mask);
    }
    return acc;
}

void mix_channel(vxa_mod *mod, int c, uint8_t *out, int32_t frames)
{
    vxa_channel &ch = mod->channels[c];
    voice v;
    const bool muted = mod->muted[c] != 0;
    if (!voice_of(mod, ch, &v)) {
        std::memset(out, k_silence, static_cast<size_t>(frames));
        return;
    }
    if (muted)
        std::memset(out, k_silence, static_cast<size_t>(frames));
    const uint64_t acc = uint64_t{ch.pos} << k_frac_bits | ch.frac;
    const uint64_t after = play_voice(v, acc, muted ? nullptr : out, frames);
    ch.pos = static_cast<uint32_t>(after >> k_frac_bits);
    ch.frac = static_cast<uint32_t>(after & k_frac_mask);
}

/* The scope rings keep the last 256 values: only the chunk's tail can survive. */
void record_scope(vxa_mod *mod, const uint8_t (*values)[k_chunk_frames], int32_t frames)
{
    const int32_t kept = frames < k_scope_length ? frames : k_scope_length;
    const int32_t skipped = frames - kept;
    const int32_t first = (mod->scope_pos + skipped) & (k_scope_length - 1);
    const int32_t before_wrap = k_scope_length - first < kept ? k_scope_length - first : kept;
    for (int c = 0; c < k_num_channels; ++c) {
        const uint8_t *tail = values[c] + skipped;
        std::memcpy(&mod->scope[c][first], tail, static_cast<size_t>(before_wrap));
        std::memcpy(&mod->scope[c][0], tail + before_wrap, static_cast<size_t>(kept - before_wrap));
        mod->chan_out[c] = values[c][frames - 1];
    }
    mod->scope_pos = static_cast<uint8_t>(mod->scope_pos + frames);
}

/* Averages each pair in integers (rounding down) and converts to -1.0 .. 0.9921875. */
void combine(const uint8_t (*values)[k_chunk_frames], float *out, int32_t frames)
{
    for (int32_t i = 0; i < frames; ++i) {
        const int left = (values[0][i] + values[1][i]) >> 1;
        const int right = (values[2][i] + values[3][i]) >> 1;
        out[2 * i] = (static_cast<float>(left) - 128.0f) * k_output_scale;
        out[2 * i + 1] = (static_cast<float>(right) - 128.0f) * k_output_scale;
    }
}

} // namespace

void vx_mixer_mix(vxa_mod *mod, float *out, int32_t frames)
{
    uint8_t values[k_num_channels][k_chunk_frames];
    for (int32_t done = 0; done < frames; done += k_chunk_frames) {
        const int32_t n = frames - done < k_chunk_frames ? frames - done : k_chunk_frames;
        for (int c = 0; c < k_num_channels; ++c)
            mix_channel(mod, c, values[c], n);
        record_scope(mod, values, n);
        combine(values, out + 2 * static_cast<int64_t>(done), n);
    }
}
