/* mixer.h - mixing the four channels into stereo output, between two ticks. */
#ifndef VXA_MIXER_H
#define VXA_MIXER_H

#include "vxa_mod_internal.h"

/* Mixes `frames` frames (>= 1) into out[0 .. 2 * frames - 1], advancing the channel
 * positions, `chan_out`, the scope rings and `scope_pos`. Runs no ticks. */
void vx_mixer_mix(vxa_mod *mod, float *out, int32_t frames);

#endif
