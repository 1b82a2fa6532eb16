/* modulation.cpp - vibrato, tremolo, arpeggio and glissando of the full replay mode.
 *
 * Vibrato and tremolo share one waveform set, chosen by the low two bits of a waveform
 * control (E4x, E7x): 0 the half sine of k_vibrato_tab, 1 a ramp, 2 and 3 a square (the
 * classic players differ on 3, some take a random wave; a square keeps renders
 * repeatable). The phase runs 0..255 and the wave is negated in its second half. The
 * tremolo runs on its own phase, ramp included. */
#include "modulation.h"

#include "tables.h"
#include "tuning.h"

namespace {

constexpr uint8_t k_wave_shape = 0x03;
constexpr uint8_t k_keep_phase = 0x04;
constexpr uint8_t k_ramp = 1;
constexpr int k_half_turn = 128;    /* phase from which the wave is negated */
constexpr int k_ramp_step = 8;      /* ramp rise per phase step of 4 */
constexpr int k_wave_peak = 255;    /* amplitude of the square and the ramp's top */
constexpr int k_vibrato_shift = 7;  /* vibrato: amplitude x depth / 128, in periods */
constexpr int k_tremolo_shift = 6;  /* tremolo: amplitude x depth / 64, in volume */
constexpr int k_arpeggio_notes = 3; /* base, x, y */

/* The wave's size 0..255 at a phase; the caller gives it the sign of the phase's half. */
int wave_amplitude(uint8_t control, uint8_t phase)
{
    const int step = (phase >> 2) & (k_vibrato_steps - 1);
    switch (control & k_wave_shape) {
    case 0:
        return k_vibrato_tab[step];
    case k_ramp:
        return phase < k_half_turn ? step * k_ramp_step : k_wave_peak - step * k_ramp_step;
    default:
        return k_wave_peak;
    }
}

int wave_value(uint8_t control, uint8_t phase, uint8_t depth, int shift)
{
    const int size = (wave_amplitude(control, phase) * depth) >> shift;
    return phase >= k_half_turn ? -size : size;
}

} // namespace

void vx_modulation_note_start(vxa_channel *ch)
{
    if (!(ch->vib_wave & k_keep_phase))
        ch->vib_pos = 0;
    if (!(ch->trem_wave & k_keep_phase))
        ch->trem_pos = 0;
}

uint16_t vx_modulation_vibrato(vxa_channel *ch)
{
    const int delta = wave_value(ch->vib_wave, ch->vib_pos, ch->vib_depth, k_vibrato_shift);
    ch->vib_pos = static_cast<uint8_t>(ch->vib_pos + ch->vib_speed);
    if (ch->period == 0)
        return 0;
    /* The classic players add the vibrato without limits; only a period that would fall
     * to 0 or below, which would mean silence, is held at 1. */
    const int period = ch->period + delta;
    return static_cast<uint16_t>(period > 1 ? period : 1);
}

int8_t vx_modulation_tremolo(vxa_channel *ch)
{
    const int delta = wave_value(ch->trem_wave, ch->trem_pos, ch->trem_depth, k_tremolo_shift);
    ch->trem_pos = static_cast<uint8_t>(ch->trem_pos + ch->trem_speed);
    return static_cast<int8_t>(delta);
}

uint16_t vx_modulation_arpeggio(const vxa_channel &ch, uint8_t param, int32_t tick)
{
    switch (tick % k_arpeggio_notes) {
    case 1:
        return vx_tuning_shift(ch.finetune, ch.period, param >> 4);
    case 2:
        return vx_tuning_shift(ch.finetune, ch.period, param & 0x0F);
    default:
        return ch.period;
    }
}

uint16_t vx_modulation_glissando(const vxa_channel &ch)
{
    return ch.glissando ? vx_tuning_shift(ch.finetune, ch.period, 0) : ch.period;
}
