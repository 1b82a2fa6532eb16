/* extended_effects.h - command E of the full replay mode: Exy, where x picks the
 * sub-command and y is its parameter. */
#ifndef VXA_EXTENDED_EFFECTS_H
#define VXA_EXTENDED_EFFECTS_H

#include "effects.h"

/* True for a note delay (EDy, y > 0): the cell's note waits for tick y. */
bool vx_extended_delays_note(vx_cell cell);

/* The finetune a cell gives its note: E5y's y, else the channel's. */
uint8_t vx_extended_finetune(vx_cell cell, uint8_t finetune);

/* The row start of an E command on channel c, after the cell's sample number and note.
 * A pattern loop that jumps back stores its start row in `*loop_target`. */
void vx_extended_row_start(vxa_mod *mod, int c, vx_cell cell, int *loop_target);

/* An E command on a later tick, or on the first tick of a pattern delay's repeated pass
 * (tick 0), where the fine slides act once more. */
void vx_extended_tick(vxa_mod *mod, int c, vx_cell cell);

#endif
