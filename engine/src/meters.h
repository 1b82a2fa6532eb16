/* meters.h - the VU levels and spectrum bars that note starts raise. */
#ifndef VXA_METERS_H
#define VXA_METERS_H

#include "vxa_mod_internal.h"

/* A note (1..36) starting on an unmuted channel at `volume` (0..64): the channel's VU
 * level jumps to the volume (at least 18), and the note's spectrum bar rises to 36,
 * then 100, then by level / 8 + 10 per start, up to 126. */
void vx_meters_note_start(vxa_mod *mod, int channel, int note, int volume);

/* The VU level of a note start at `volume`: never below 18. */
int vx_meters_note_level(int volume);

#endif
