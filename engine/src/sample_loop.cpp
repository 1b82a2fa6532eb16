/* sample_loop.cpp - setting a slot's loop by stepping its start and length (in 2-byte
 * words) and by the sample editor's two markers (A = loop start, B = loop end; also by
 * name, vxa_loop_marker).
 * Every result is even and lies inside the sample, or there is no loop. */
#include "sample_slot.h"
#include "vxa_mod_extras.h"

namespace {

constexpr uint32_t k_word = 2;        /* bytes */
constexpr uint64_t k_marker_loop = 4; /* bytes: the shortest loop the markers make */

} // namespace

void vxa_mod_step_loop_start(vxa_mod *mod, uint32_t slot, int32_t delta)
{
    vxa_sample *sample = vx_slot_with_sound(mod, slot, k_word);
    if (!sample)
        return;
    const int64_t length = sample->length;
    int64_t start = static_cast<int64_t>(sample->loop_start) + static_cast<int64_t>(delta) * k_word;
    if (start < 0)
        start = 0;
    if (start >= length)
        start = length - k_word;
    /* Without a loop this is the pending start the next length step uses. */
    sample->loop_start = static_cast<uint32_t>(vx_even(static_cast<uint64_t>(start)));
    if (vx_sample_has_loop(*sample) && vx_sample_loop_end(*sample) > sample->length) {
        sample->loop_length = static_cast<uint32_t>(vx_even(sample->length - sample->loop_start));
        if (sample->loop_length <= k_word)
            vx_sample_remove_loop(sample);
    }
}

void vxa_mod_step_loop_length(vxa_mod *mod, uint32_t slot, int32_t delta)
{
    vxa_sample *sample = vx_slot_with_sound(mod, slot, k_word);
    if (!sample)
        return;
    int64_t length = sample->loop_length;
    if (delta >= 1 && length <= k_word) {
        /* The first step up from no loop makes a 2-word loop at the pending start. */
        if (sample->loop_start >= sample->length)
            sample->loop_start = 0;
        length = k_word;
    }
    int64_t stepped = length + static_cast<int64_t>(delta) * k_word;
    const int64_t room =
        sample->loop_start < sample->length ? sample->length - sample->loop_start : 0;
    stepped = stepped < 0 ? 0 : stepped > room ? room : stepped;
    stepped = static_cast<int64_t>(vx_even(static_cast<uint64_t>(stepped)));
    if (stepped <= k_word) {
        vx_sample_remove_loop(sample);
        return;
    }
    sample->loop_length = static_cast<uint32_t>(stepped);
}

void vxa_mod_set_loop_mark_a(vxa_mod *mod, uint32_t slot, uint32_t offset)
{
    vxa_sample *sample = vx_slot_with_sound(mod, slot, k_marker_loop);
    if (!sample)
        return;
    const uint64_t length = sample->length;
    uint64_t start = vx_even(offset);
    if (start >= length)
        start = length - k_word;
    uint64_t end = vx_sample_has_loop(*sample) ? vx_sample_loop_end(*sample) : length;
    end = vx_even(end < length ? end : length);
    if (start + k_marker_loop <= end)
        vx_sample_set_loop(sample, start, end); /* the end stays */
    else if (start + k_marker_loop <= length)
        vx_sample_set_loop(sample, start, start + k_marker_loop);
    else
        vx_sample_set_loop(sample, 0, vx_even(length)); /* A in the last 4 bytes: all */
}

void vxa_mod_set_loop_mark_b(vxa_mod *mod, uint32_t slot, uint32_t offset)
{
    vxa_sample *sample = vx_slot_with_sound(mod, slot, k_marker_loop);
    if (!sample)
        return;
    const uint64_t length = sample->length;
    uint64_t end = vx_even(offset);
    if (end > length)
        end = vx_even(length);
    uint64_t start = vx_sample_has_loop(*sample) ? sample->loop_start : 0;
    start = vx_even(start >= length ? 0 : start);
    if (end < start + k_marker_loop) {
        /* The start is pulled back to keep a 4-byte loop. */
        start = end >= k_marker_loop ? end - k_marker_loop : 0;
        end = end >= k_marker_loop ? end : k_marker_loop;
    }
    if (end > length)
        end = vx_even(length);
    if (end < start + k_marker_loop)
        return;
    vx_sample_set_loop(sample, start, end);
}

void vxa_mod_set_loop_mark(vxa_mod *mod, uint32_t slot, int32_t marker, uint32_t offset)
{
    if (marker == VXA_LOOP_MARKER_A)
        vxa_mod_set_loop_mark_a(mod, slot, offset);
    else if (marker == VXA_LOOP_MARKER_B)
        vxa_mod_set_loop_mark_b(mod, slot, offset);
}
