/* vxa_mod_extras.h - engine calls beyond the fixed interface of vxa_mod.h. */
#ifndef VXA_MOD_EXTRAS_H
#define VXA_MOD_EXTRAS_H

#include "vxa_mod.h"

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* ---- Module content taken back and done again ------------------------------------- */
/* Records of the parts of a module an edit changes, for a caller that keeps a history of
 * edits: it reads the part before the edit and, to take the edit back, exchanges the
 * record with the module (the record then holds the edited state, for doing it again).
 * Pattern cells need no record of their own: `vxa_mod_get_cell` and `vxa_mod_set_cell`
 * read and write them exactly, and the title goes through `vxa_mod_title` and
 * `vxa_mod_set_title` as exactly. */

/* The song's order header. */
typedef struct vxa_song_order {
    int32_t song_length; /* positions in use, 0..128 */
    int32_t restart_pos; /* below song_length, else 0 */
    uint8_t orders[128]; /* the pattern at each position, all 128 entries */
} vxa_song_order;

/* Reads the order header; -1 for a null argument. */
int32_t vxa_mod_get_song_order(const vxa_mod *mod, vxa_song_order *out);
/* Writes it back whole: the length limited to 0..128, a restart position outside the
 * song becomes 0, and the current song position is pulled inside the song. Row and tick
 * stay. -1 for a null argument. */
int32_t vxa_mod_set_song_order(vxa_mod *mod, const vxa_song_order *in);

/* One sample slot's content (loop, volume, name, finetune and, when asked for, its
 * sound) and the module's sample count, which loading a sample into a slot may raise. */
typedef struct vxa_slot_state vxa_slot_state; /* opaque */

/* A copy of slot 1..31, with a copy of its sound when `with_sound` is non-zero; null for
 * a null handle, a slot out of range or a lack of memory. Free it with
 * `vxa_mod_free_slot_state`. */
vxa_slot_state *vxa_mod_copy_slot_state(const vxa_mod *mod, uint32_t slot, int32_t with_sound);
/* Exchanges the record with the slot and the sample count: afterwards the slot holds what
 * the record held and the record what the slot held. The sound moves only when the record
 * was copied with it; nothing is copied or allocated. -1 for a null argument or a slot
 * out of range. */
int32_t vxa_mod_swap_slot_state(vxa_mod *mod, uint32_t slot, vxa_slot_state *state);
/* 1 when the slot and the sample count hold exactly what the record holds (the sound
 * compared byte by byte when the record has it), else 0. */
int32_t vxa_mod_slot_state_matches(const vxa_mod *mod, uint32_t slot, const vxa_slot_state *state);
/* Bytes of sound the record keeps. */
size_t vxa_mod_slot_state_bytes(const vxa_slot_state *state);
/* Frees the record and the sound it keeps; null is ignored. */
void vxa_mod_free_slot_state(vxa_slot_state *state);

#ifdef __cplusplus
}
#endif

#endif
