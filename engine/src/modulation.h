/* modulation.h - what the full replay mode plays on top of a channel's base period and
 * volume: vibrato and tremolo with their waveforms, arpeggio and glissando. Each gives
 * the played value of one tick and leaves the base untouched. */
#ifndef VXA_MODULATION_H
#define VXA_MODULATION_H

#include "vxa_mod_internal.h"

/* A note restarts the vibrato and tremolo phases, unless their waveform control keeps
 * the phase (bit 2). */
void vx_modulation_note_start(vxa_channel *ch);

/* The vibrato's played period of this tick, from the phase before its step; then the
 * phase moves on by vib_speed. */
uint16_t vx_modulation_vibrato(vxa_channel *ch);

/* The tremolo's change to the volume for this tick, from the phase before its step;
 * then the phase moves on by trem_speed. */
int8_t vx_modulation_tremolo(vxa_channel *ch);

/* The arpeggio's played period on tick `tick`: the base period, then the notes x and y
 * semitones above it, in turn. */
uint16_t vx_modulation_arpeggio(const vxa_channel &ch, uint8_t param, int32_t tick);

/* The tone portamento's played period: the base period, or with glissando on the
 * semitone of the channel's finetune at or above its pitch. */
uint16_t vx_modulation_glissando(const vxa_channel &ch);

#endif
