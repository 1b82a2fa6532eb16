/* vxa_mod_internal.h - the engine context record and the records it holds.
 *
 * Shared by the engine's source files only. The context is one zero-initialised
 * allocation; besides itself it owns the pattern block and the 31 sample buffers.
 *
 * Invariants every engine file relies on:
 * - `patterns` is null exactly when no module is loaded; then `num_patterns` is 0.
 * - A slot whose `data` is null is empty, whatever its other fields say.
 * - When a slot's `loop_length` is 3 or more, [loop_start, loop_start + loop_length)
 *   lies inside [0, length).
 * - `song_length` never exceeds the 128 entries of `orders`.
 *
 * Threads: the engine has no threads and no locks. The render call runs on the audio
 * thread and every other call on the main thread; the caller serialises all calls on
 * one context with a single lock held for the whole of each call. */
#ifndef VXA_MOD_INTERNAL_H
#define VXA_MOD_INTERNAL_H

#include "vxa_mod.h"
#include "vxa_mod_extras.h"
#include "vxa_mod_layout.h"

#include <cstddef>
#include <cstdint>

constexpr int32_t k_default_rate = 44100; /* Hz */
constexpr int32_t k_default_speed = 6;    /* ticks per row */
constexpr int32_t k_default_tempo = 125;  /* beats per minute */
constexpr int k_num_slots = VXA_MOD_SLOTS;
constexpr int k_num_channels = VXA_MOD_CHANNELS;
constexpr int k_max_orders = VXA_MOD_ORDERS;
constexpr int k_max_patterns = VXA_MOD_MAX_PATTERNS;
constexpr int k_rows_per_pattern = VXA_MOD_ROWS;
constexpr int k_cell_bytes = VXA_MOD_CELL_BYTES;
constexpr int k_row_bytes = k_num_channels * k_cell_bytes;
constexpr int k_pattern_bytes = VXA_MOD_PATTERN_BYTES; /* 1024 */
constexpr int k_max_volume = 64;
constexpr int k_scope_length = 256;
constexpr int k_spectrum_bars = 24;
constexpr int k_title_chars = VXA_MOD_TITLE_BYTES;
constexpr int k_name_chars = VXA_MOD_SAMPLE_NAME_BYTES;
constexpr uint8_t k_silence = 128; /* unsigned 8-bit zero line */

/* Any loop shorter than this many bytes counts as no loop. */
constexpr uint32_t k_min_loop_bytes = 3;

struct vxa_sample {
    int8_t *data;         /* signed 8-bit PCM, `length` bytes, owned; null = empty */
    uint32_t length;      /* bytes, even when data is set */
    uint32_t loop_start;  /* bytes, even */
    uint32_t loop_length; /* bytes, even; below 3 = no loop */
    uint8_t volume;       /* 0..64 */
    char name[k_name_chars + 1];
    /* The header's finetune nibble (0..15). The full replay mode plays it, the reduced
     * one ignores it; loading and saving a module never retune its samples. */
    uint8_t finetune;
};

struct vxa_channel {
    vxa_sample *sample;   /* slot played, pointing into the context; null = silent */
    uint32_t pos;         /* play position, whole bytes */
    uint32_t frac;        /* play position fraction, 1/65536 byte (low 16 bits) */
    uint16_t period;      /* base Amiga period */
    uint16_t play_period; /* period played, vibrato included; 0 = silent */
    uint16_t porta_target;
    uint8_t porta_speed;
    uint8_t volume; /* 0..64 */
    uint8_t vib_pos;
    uint8_t vib_speed;
    uint8_t vib_depth;
    uint8_t offset_mem;
    uint8_t arp[3]; /* 0-based indexes into k_periods */
    uint8_t effect;
    uint8_t param;
    /* Used by the full replay mode only; they stay 0 in the reduced mode. */
    vxa_sample *instrument; /* slot the next note starts: the last sample number */
    int8_t trem_delta;      /* tremolo's change to the played volume; the mixer adds it */
    uint8_t finetune;       /* header nibble: 0..7 = 0..+7, 8..15 = -8..-1 eighth semitones */
    uint8_t trem_pos;       /* tremolo phase, wraps at 256 */
    uint8_t trem_speed;     /* tremolo phase step: the speed nibble x 4 */
    uint8_t trem_depth;     /* 0..15 */
    uint8_t vib_wave;       /* waveform control (E4x): bits 0-1 shape, bit 2 keeps the phase */
    uint8_t trem_wave;      /* waveform control (E7x), alike */
    uint8_t glissando;      /* non-zero: tone portamento plays whole semitones (E3x) */
};

struct vxa_mod {
    int32_t rate; /* Hz, > 0 */
    int32_t playing;
    char title[k_title_chars + 1];
    int32_t num_samples;
    int32_t song_length; /* 0..128 */
    int32_t restart_pos;
    int32_t num_patterns;
    uint8_t orders[k_max_orders];
    vxa_sample samples[k_num_slots]; /* slot n is element n - 1 */
    uint8_t *patterns;               /* num_patterns * 1024 bytes, owned */
    int32_t order_pos;
    int32_t row;
    int32_t tick;
    int32_t speed;     /* ticks per row, 1..31 */
    int32_t tempo;     /* beats per minute, 32..255 */
    int32_t play_mode; /* a vxa_play_mode: VXA_PLAY_SONG or VXA_PLAY_PATTERN */
    int32_t recording;
    int32_t break_row;  /* -1 = none */
    int32_t jump_order; /* -1 = none */
    vxa_channel channels[k_num_channels];
    uint8_t vol_table[k_max_volume + 1][256];
    double tick_countdown;            /* output frames until the next tick */
    double frames_per_tick;           /* rate * 2.5 / tempo */
    uint8_t vu[k_num_channels];       /* 0..64 */
    uint8_t chan_out[k_num_channels]; /* last output, 128 = silence */
    uint8_t muted[k_num_channels];
    uint8_t scope[k_num_channels][k_scope_length];
    uint8_t scope_pos;
    int32_t spectrum[k_spectrum_bars]; /* 0..126 */
    uint64_t frames_played;
    int32_t replay_mode; /* VXA_REPLAY_REDUCED or VXA_REPLAY_FULL; kept by loads */
    /* The full replay mode's song flow; all 0 in the reduced mode. */
    int32_t delay_repeats; /* passes of the current row still to come (pattern delay) */
    int32_t row_repeat;    /* non-zero during such a pass: its first tick reads no cells */
    uint8_t loop_start[k_num_channels]; /* pattern-loop start row per channel, 0..63 */
    uint8_t loop_count[k_num_channels]; /* passes of a running loop still to play; 0 = none */
};

/* Context helpers shared by the engine files (context.cpp). */
void vx_context_clear_channels(vxa_mod *mod);
void vx_context_set_tempo(vxa_mod *mod, int32_t tempo);
void vx_context_reset_transport(vxa_mod *mod);
/* No pattern delay and no pattern loop in progress: what a play start, a position
 * change by the user and a change of replay mode leave. */
void vx_context_reset_flow(vxa_mod *mod);

/* Brings a slot's loop inside its sample: shortened to end at the sample's end, and
 * removed (start 0, length 0) when shorter than k_min_loop_bytes. */
void vx_sample_fit_loop(vxa_sample *slot);

/* Patterns a song of `song_length` orders needs: 1 + its highest pattern number
 * (limited to 127), so even an empty song has one pattern. */
int vx_song_pattern_count(const uint8_t *orders, int song_length);

/* Play time since the last play call, from the frames played (feeds.cpp). */
void vx_play_time(const vxa_mod *mod, uint32_t *minutes, uint32_t *seconds);

/* Note index 0..36 nearest to an Amiga period (mod_reader.cpp); 0 only for period 0. */
uint8_t period_to_note(uint32_t period);

#endif
