/* full_replay.h - the sound starts of the full replay mode, shared with its E commands
 * (note delay and retrigger). */
#ifndef VXA_FULL_REPLAY_H
#define VXA_FULL_REPLAY_H

#include "vxa_mod_internal.h"

/* Note 1..36 starts on channel c: the slot of the last sample number (or the channel's
 * slot when there was none) from its beginning, at the note's period in the channel's
 * finetune, with the vibrato and tremolo phases restarted and the meters raised. */
void vx_full_replay_start_note(vxa_mod *mod, int c, int note);

/* The channel's sound starts again from its beginning at the current period, taking
 * the slot of a sample number given since. */
void vx_full_replay_retrigger(vxa_mod *mod, int c);

#endif
