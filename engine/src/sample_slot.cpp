/* sample_slot.cpp - looking up sample slots, and the slot calls that need no sound:
 * clearing, volume, info and name. */
#include "sample_slot.h"

#include <cstdlib>
#include <cstring>

vxa_sample *vx_slot_any(vxa_mod *mod, uint32_t slot)
{
    return mod && slot >= 1 && slot <= k_num_slots ? &mod->samples[slot - 1] : nullptr;
}

vxa_sample *vx_slot_used(vxa_mod *mod, int32_t slot)
{
    return mod && slot >= 1 && slot <= mod->num_samples
               ? vx_slot_any(mod, static_cast<uint32_t>(slot))
               : nullptr;
}

vxa_sample *vx_slot_with_sound(vxa_mod *mod, uint32_t slot, uint32_t min_length)
{
    vxa_sample *sample = vx_slot_any(mod, slot);
    return sample && sample->data && sample->length >= min_length ? sample : nullptr;
}

void vx_sample_set_loop(vxa_sample *slot, uint64_t start, uint64_t end)
{
    const uint64_t length = end > start ? vx_even(end - start) : 0;
    if (length < k_min_loop_bytes) {
        vx_sample_remove_loop(slot);
        return;
    }
    slot->loop_start = static_cast<uint32_t>(start);
    slot->loop_length = static_cast<uint32_t>(length);
}

void vx_sample_replace_data(vxa_sample *slot, int8_t *data, uint32_t length)
{
    std::free(slot->data);
    slot->data = data;
    slot->length = length;
}

int32_t vxa_mod_clear_sample(vxa_mod *mod, uint32_t slot)
{
    vxa_sample *sample = vx_slot_any(mod, slot);
    if (!sample)
        return -1;
    std::free(sample->data);
    *sample = vxa_sample{};
    return 0;
}

void vxa_mod_set_sample_volume(vxa_mod *mod, uint32_t slot, int32_t delta)
{
    vxa_sample *sample = vx_slot_any(mod, slot);
    if (!sample)
        return;
    const int64_t volume = static_cast<int64_t>(sample->volume) + delta;
    sample->volume = static_cast<uint8_t>(volume < 0              ? 0
                                          : volume > k_max_volume ? k_max_volume
                                                                  : volume);
}

int32_t vxa_mod_get_sample_info(const vxa_mod *mod, int32_t slot, vxa_sample_info *out)
{
    const vxa_sample *sample = vx_slot_used(const_cast<vxa_mod *>(mod), slot);
    if (!sample || !out)
        return -1;
    out->volume = sample->volume;
    /* A slot without sound reports no length and no loop, whatever its fields hold. */
    out->length = sample->data ? sample->length : 0;
    out->loop_start = sample->data ? sample->loop_start : 0;
    out->loop_length = sample->data ? sample->loop_length : 0;
    std::memcpy(out->name, sample->name, sizeof out->name);
    return 0;
}

void vxa_mod_set_sample_name(vxa_mod *mod, uint32_t slot, const char *text)
{
    vxa_sample *sample = vx_slot_any(mod, slot);
    if (!sample)
        return;
    std::memset(sample->name, 0, sizeof sample->name);
    if (text)
        std::strncpy(sample->name, text, k_name_chars);
}
