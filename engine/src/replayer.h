/* replayer.h - the sequencer's entry point for the render loop. */
#ifndef VXA_REPLAYER_H
#define VXA_REPLAYER_H

#include "vxa_mod_internal.h"

/* Processes one tick of the current row: the row start when `tick` is 0, the effects
 * of a later tick otherwise; then moves to the next tick, row or song position.
 * Needs `patterns`. */
void vx_replayer_tick(vxa_mod *mod);

#endif
