/* effects.h - what the two replay modes share: the cells of the current row, and the
 * effect steps both play alike (period and volume slides, tone portamento, set volume,
 * sample offset, and the flow and speed commands B, D and F). */
#ifndef VXA_EFFECTS_H
#define VXA_EFFECTS_H

#include "vxa_mod_internal.h"

enum vx_effect_command : uint8_t {
    fx_arpeggio = 0x0,
    fx_porta_up = 0x1,
    fx_porta_down = 0x2,
    fx_tone_porta = 0x3,
    fx_vibrato = 0x4,
    fx_tone_porta_slide = 0x5,
    fx_vibrato_slide = 0x6,
    fx_tremolo = 0x7,
    fx_sample_offset = 0x9,
    fx_volume_slide = 0xA,
    fx_position_jump = 0xB,
    fx_set_volume = 0xC,
    fx_pattern_break = 0xD,
    fx_extended = 0xE,
    fx_set_speed = 0xF,
};

/* One cell as the replayer uses it. A note outside 1..36 reads as no note, so a stray
 * byte can never index a period table out of range. */
struct vx_cell {
    uint8_t note;
    uint8_t sample;
    uint8_t effect;
    uint8_t param;
};

inline int vx_high_nibble(uint8_t param)
{
    return param >> 4;
}

inline int vx_low_nibble(uint8_t param)
{
    return param & 0x0F;
}

inline int vx_clamp(int value, int low, int high)
{
    return value < low ? low : (value > high ? high : value);
}

inline bool vx_is_tone_porta(uint8_t effect)
{
    return effect == fx_tone_porta || effect == fx_tone_porta_slide;
}

/* The 16 bytes of the current row; a pattern number not below num_patterns plays
 * pattern 0. Needs `patterns`. */
const uint8_t *vx_effects_current_row(const vxa_mod *mod);

/* The cell of channel c (0..3) in a row. */
vx_cell vx_effects_cell(const uint8_t *row, int c);

/* The slot a cell's sample number names, or null for 0 and numbers above num_samples. */
vxa_sample *vx_effects_slot(vxa_mod *mod, uint8_t sample);

/* B, D and F at a row start. Handled in channel order, so a later B resets an earlier
 * D's row to 0, while a later D keeps an earlier B's target and sets the row. */
void vx_effects_flow_command(vxa_mod *mod, vx_cell cell);

/* Moves the base period by `delta` (negative = up in pitch), kept inside 113..856 even
 * from period 0, where no note has played yet. */
void vx_effects_slide_period(vxa_channel *ch, int delta);

/* One tone-portamento step of porta_speed toward porta_target, from wherever the period
 * is; nothing without a speed or a target. */
void vx_effects_tone_porta(vxa_channel *ch);

/* Command A's step: x != 0 raises the volume by x, else y lowers it; within 0..64. */
void vx_effects_volume_slide(vxa_channel *ch, uint8_t param);

/* Moves the volume by `delta` within 0..64. */
void vx_effects_add_volume(vxa_channel *ch, int delta);

/* Command C: the volume (at most 64) and the channel's VU level, unless muted. */
void vx_effects_set_volume(vxa_mod *mod, int c, vx_cell cell);

/* Command 9: the play position jumps to the parameter (or the last non-zero one) times
 * 256 bytes. */
void vx_effects_sample_offset(vxa_channel *ch, uint8_t param);

/* The speed and depth nibbles of a vibrato or tremolo parameter, each when non-zero:
 * the phase step becomes x * 4 and the depth y. */
void vx_effects_wave_params(uint8_t param, uint8_t *speed, uint8_t *depth);

#endif
