/* sample_crop.cpp - cutting a slot's sound down to a byte range, and the editor's three
 * cuts built on it (also by name, vxa_trim_op): everything before the loop, everything
 * after it, all but the loop.
 * The loop is carried over to the kept bytes, or removed when it does not survive. */
#include "sample_slot.h"
#include "vxa_mod_extras.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

constexpr uint32_t k_min_kept = 2;     /* bytes */
constexpr uint32_t k_min_head_cut = 4; /* bytes of sample the head cut needs */

/* The loop [ls, le) moved onto the kept range [from, end) of n bytes. The length is
 * taken from the start before both are rounded down to even, so that a crop from an
 * odd byte keeps the loop's end inside the old loop. */
void rebase_loop(vxa_sample *slot, uint64_t from, uint64_t end, uint64_t n)
{
    if (!vx_sample_has_loop(*slot)) {
        vx_sample_remove_loop(slot);
        return;
    }
    const uint64_t ls = slot->loop_start;
    const uint64_t le = vx_sample_loop_end(*slot);
    const uint64_t unrounded_start = ls >= from ? ls - from : 0;
    const uint64_t new_end = le > end ? n : le - from;
    const uint64_t start = vx_even(unrounded_start);
    const uint64_t length = vx_even(new_end > unrounded_start ? new_end - unrounded_start : 0);
    const bool overlapped = ls < end && le > from;
    if (!overlapped || length < k_min_loop_bytes || start + length > n) {
        vx_sample_remove_loop(slot);
        return;
    }
    slot->loop_start = static_cast<uint32_t>(start);
    slot->loop_length = static_cast<uint32_t>(length);
}

int32_t crop(vxa_sample *slot, uint32_t from, uint32_t count)
{
    if (!slot || !slot->data || slot->length < k_min_kept || from >= slot->length)
        return -1;
    const uint64_t sample_end = slot->length;
    const uint64_t end = std::min<uint64_t>(static_cast<uint64_t>(from) + count, sample_end);
    if (end - from < k_min_kept)
        return -1;
    const uint64_t n = vx_even(end - from);
    auto *kept = static_cast<int8_t *>(std::malloc(n));
    if (!kept)
        return -1;
    std::memcpy(kept, slot->data + from, n);
    rebase_loop(slot, from, end, n);
    vx_sample_replace_data(slot, kept, static_cast<uint32_t>(n));
    return 0;
}

} // namespace

int32_t vxa_mod_crop_sample(vxa_mod *mod, uint32_t slot, uint32_t from, uint32_t count)
{
    return crop(vx_slot_any(mod, slot), from, count);
}

int32_t vxa_mod_cut_sample_head(vxa_mod *mod, int32_t slot)
{
    vxa_sample *sample = vx_slot_used(mod, slot);
    /* The start alone decides, so a pending start without a loop also cuts there. */
    if (!sample || sample->loop_start < k_min_kept || sample->length < k_min_head_cut)
        return -1;
    return crop(sample, sample->loop_start, sample->length - sample->loop_start);
}

int32_t vxa_mod_cut_sample_tail(vxa_mod *mod, int32_t slot)
{
    vxa_sample *sample = vx_slot_used(mod, slot);
    if (!sample || !vx_sample_has_loop(*sample))
        return -1;
    const uint64_t end = vx_even(std::min<uint64_t>(vx_sample_loop_end(*sample), sample->length));
    if (end < k_min_kept || end >= sample->length)
        return -1;
    return crop(sample, 0, static_cast<uint32_t>(end));
}

int32_t vxa_mod_trim_sample_to_loop(vxa_mod *mod, int32_t slot)
{
    vxa_sample *sample = vx_slot_used(mod, slot);
    if (!sample || !vx_sample_has_loop(*sample))
        return -1;
    return crop(sample, sample->loop_start, sample->loop_length);
}

int32_t vxa_mod_trim_sample(vxa_mod *mod, int32_t slot, int32_t op)
{
    switch (op) {
    case VXA_TRIM_CUT_HEAD:
        return vxa_mod_cut_sample_head(mod, slot);
    case VXA_TRIM_CUT_TAIL:
        return vxa_mod_cut_sample_tail(mod, slot);
    case VXA_TRIM_TO_LOOP:
        return vxa_mod_trim_sample_to_loop(mod, slot);
    }
    return -1;
}
