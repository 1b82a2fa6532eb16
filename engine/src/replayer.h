/* replayer.h - the sequencer's entry points for the render loop. */
#ifndef VXA_REPLAYER_H
#define VXA_REPLAYER_H

#include "vxa_mod_internal.h"

/* Processes one tick of the current row: the row start when `tick` is 0, the effects
 * of a later tick otherwise; then moves to the next tick, row or song position.
 * Needs `patterns`. */
void vx_replayer_tick(vxa_mod *mod);

/* Ticks still to process before the next row start (the first tick of a row that is
 * read from its pattern): 0 when the next tick starts a row. A pattern delay's repeated
 * passes of the current row count in full. */
int32_t vx_replayer_ticks_to_row_start(const vxa_mod *mod);

#endif
