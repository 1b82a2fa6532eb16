/* slot_state.cpp - records of one sample slot's whole content, for a caller that takes
 * edits back: a copy taken before an edit, exchanged with the slot to undo it and
 * exchanged again to redo it.
 *
 * The exchange only swaps fields and pointers, so taking back an edit of any size costs
 * the same few nanoseconds and allocates nothing. A record without its sound leaves the
 * slot's data and length alone; a loop is then fitted to the slot's sound, so even a
 * record used out of turn cannot leave a loop past the end of the data. */
#include "sample_slot.h"
#include "vxa_mod_extras.h"

#include <cstdlib>
#include <cstring>
#include <utility>

struct vxa_slot_state {
    vxa_sample sample; /* its data is owned by the record when with_sound is set */
    int32_t with_sound;
    int32_t num_samples; /* 0..31 */
};

namespace {

bool same_settings(const vxa_sample &a, const vxa_sample &b)
{
    return a.loop_start == b.loop_start && a.loop_length == b.loop_length && a.volume == b.volume &&
           a.finetune == b.finetune && std::memcmp(a.name, b.name, sizeof a.name) == 0;
}

bool same_sound(const vxa_sample &a, const vxa_sample &b)
{
    if (!a.data || !b.data)
        return a.data == b.data && a.length == b.length;
    return a.length == b.length && std::memcmp(a.data, b.data, a.length) == 0;
}

} // namespace

vxa_slot_state *vxa_mod_copy_slot_state(const vxa_mod *mod, uint32_t slot, int32_t with_sound)
{
    const vxa_sample *source = vx_slot_any(const_cast<vxa_mod *>(mod), slot);
    if (!source)
        return nullptr;
    auto *state = static_cast<vxa_slot_state *>(std::calloc(1, sizeof(vxa_slot_state)));
    if (!state)
        return nullptr;
    state->sample = *source;
    state->sample.data = nullptr;
    state->with_sound = with_sound ? 1 : 0;
    state->num_samples = mod->num_samples;
    if (with_sound && source->data && source->length > 0) {
        state->sample.data = static_cast<int8_t *>(std::malloc(source->length));
        if (!state->sample.data) {
            std::free(state);
            return nullptr;
        }
        std::memcpy(state->sample.data, source->data, source->length);
    }
    return state;
}

int32_t vxa_mod_swap_slot_state(vxa_mod *mod, uint32_t slot, vxa_slot_state *state)
{
    vxa_sample *target = vx_slot_any(mod, slot);
    if (!target || !state)
        return -1;
    vxa_sample &kept = state->sample;
    if (state->with_sound) {
        std::swap(*target, kept);
    } else {
        std::swap(target->loop_start, kept.loop_start);
        std::swap(target->loop_length, kept.loop_length);
        std::swap(target->volume, kept.volume);
        std::swap(target->finetune, kept.finetune);
        std::swap(target->name, kept.name);
        /* A pending loop start without a loop is kept as it is. */
        if (vx_sample_has_loop(*target))
            vx_sample_fit_loop(target);
    }
    const int32_t count = state->num_samples;
    state->num_samples = mod->num_samples;
    mod->num_samples = count < 0 ? 0 : count > k_num_slots ? k_num_slots : count;
    return 0;
}

int32_t vxa_mod_slot_state_matches(const vxa_mod *mod, uint32_t slot, const vxa_slot_state *state)
{
    const vxa_sample *current = vx_slot_any(const_cast<vxa_mod *>(mod), slot);
    if (!current || !state)
        return 0;
    const bool sound = !state->with_sound || same_sound(*current, state->sample);
    return sound && same_settings(*current, state->sample) && mod->num_samples == state->num_samples
               ? 1
               : 0;
}

size_t vxa_mod_slot_state_bytes(const vxa_slot_state *state)
{
    return state && state->sample.data ? state->sample.length : 0;
}

void vxa_mod_free_slot_state(vxa_slot_state *state)
{
    if (!state)
        return;
    std::free(state->sample.data);
    std::free(state);
}
