/* sample_slot.h - helpers shared by the sample operations. */
#ifndef VXA_SAMPLE_SLOT_H
#define VXA_SAMPLE_SLOT_H

#include "vxa_mod_internal.h"

/* The slot `slot` (1..31) of any slot, or null for a null handle or a number outside
 * 1..31. */
vxa_sample *vx_slot_any(vxa_mod *mod, uint32_t slot);

/* The slot `slot` when it is one the module uses (1..num_samples), else null. */
vxa_sample *vx_slot_used(vxa_mod *mod, int32_t slot);

/* The slot with its sound when it holds at least `min_length` bytes, else null. */
vxa_sample *vx_slot_with_sound(vxa_mod *mod, uint32_t slot, uint32_t min_length);

inline bool vx_sample_has_loop(const vxa_sample &slot)
{
    return slot.loop_length >= k_min_loop_bytes;
}

/* One past the loop's last byte, in 64 bits so it cannot wrap. */
inline uint64_t vx_sample_loop_end(const vxa_sample &slot)
{
    return static_cast<uint64_t>(slot.loop_start) + slot.loop_length;
}

inline void vx_sample_remove_loop(vxa_sample *slot)
{
    slot->loop_start = 0;
    slot->loop_length = 0;
}

/* Stores a loop from its byte range, removing it when shorter than 3 bytes. */
void vx_sample_set_loop(vxa_sample *slot, uint64_t start, uint64_t end);

/* Frees the slot's old sound and installs `data` of `length` bytes in its place. */
void vx_sample_replace_data(vxa_sample *slot, int8_t *data, uint32_t length);

inline uint64_t vx_even(uint64_t bytes)
{
    return bytes & ~static_cast<uint64_t>(1);
}

#endif
