/* vxa_mod_extras.h - engine calls beyond the fixed interface of vxa_mod.h.
 *
 * Outside the fixed API: these calls serve the controller and the tools, and may grow.
 * They follow the same conventions: a null handle changes nothing and gives the neutral
 * result, statuses are 0 on success and -1 on failure. Usable from C11 and C++.
 *
 * Threads: like every engine call, each call on a context runs under the caller's one
 * engine lock. */
#ifndef VXA_MOD_EXTRAS_H
#define VXA_MOD_EXTRAS_H

#include "vxa_mod.h"

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* ---- Replay mode ------------------------------------------------------------------ */
/* How the replayer reads the effect commands. The reduced mode is the default: commands
 * 7, 8 and E are stored but inert, finetune is ignored, an arpeggio moves the base
 * period, and a sample number alone restarts the sample. The full mode plays modules as
 * the classic four-channel players do: every E command, tremolo, finetune, arpeggio on
 * the played pitch only, and a sample number alone only sets the volume and the sound
 * the next note starts. The mode belongs to the context; loading a module keeps it. */

enum { VXA_REPLAY_REDUCED = 0, VXA_REPLAY_FULL = 1 };

/* Any value but VXA_REPLAY_FULL selects the reduced mode. The new mode acts from the
 * next tick; a pattern delay or pattern loop in progress is dropped. */
void vxa_mod_set_replay_mode(vxa_mod *mod, int32_t mode);
/* VXA_REPLAY_REDUCED for a null handle. */
int32_t vxa_mod_replay_mode_get(const vxa_mod *mod);

/* Where the song stands, as one number, to tell when it has played as a whole: the song
 * position, the row, and the pattern loops running on the four channels (passes still
 * to play and start row). Read at a row start: playback from two row starts with the
 * same number goes on through the same rows, so the first row start whose number came
 * before is where the song begins to repeat. In the reduced mode no loops run and the
 * number stands for the position and row alone. 0 for a null handle. */
uint64_t vxa_mod_song_state(const vxa_mod *mod);

#ifdef __cplusplus
}
#endif

#endif
