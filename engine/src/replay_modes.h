/* replay_modes.h - the two ways the replayer plays a tick; replayer.cpp chooses by the
 * context's replay mode and then moves on the tick, row and song position. */
#ifndef VXA_REPLAY_MODES_H
#define VXA_REPLAY_MODES_H

#include "vxa_mod_internal.h"

/* The tick `tick` of the current row in the reduced mode: its row start at tick 0, the
 * effects of a later tick otherwise. Needs `patterns`. */
void vx_reduced_replay_tick(vxa_mod *mod);

/* The same in the full mode, where a pattern delay's repeated passes of a row play
 * their first tick like a later one. Needs `patterns`. */
void vx_full_replay_tick(vxa_mod *mod);

#endif
