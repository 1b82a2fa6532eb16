/* replay_mode.cpp - choosing the replay mode of a context, and the song state a
 * renderer compares to find where a song starts to repeat.
 *
 * The mode is a field of the context that no load or unload touches. Switching drops
 * the full mode's flow state and the tremolo's change to the volume, which the reduced
 * mode would never clear. */
#include "vxa_mod_internal.h"

namespace {

constexpr int k_order_bits = 7;      /* song positions 0..127 */
constexpr int k_row_bits = 6;        /* rows 0..63 */
constexpr int k_loop_count_bits = 4; /* loop passes 0..15 */
constexpr uint64_t k_order_mask = (1u << k_order_bits) - 1;
constexpr uint64_t k_row_mask = (1u << k_row_bits) - 1;
constexpr uint64_t k_loop_count_mask = (1u << k_loop_count_bits) - 1;
static_assert(k_order_bits + k_row_bits + k_num_channels * (k_loop_count_bits + k_row_bits) <= 64);

} // namespace

void vxa_mod_set_replay_mode(vxa_mod *mod, int32_t mode)
{
    if (!mod)
        return;
    const int32_t wanted = mode == VXA_REPLAY_FULL ? VXA_REPLAY_FULL : VXA_REPLAY_REDUCED;
    if (wanted == mod->replay_mode)
        return;
    mod->replay_mode = wanted;
    vx_context_reset_flow(mod);
    for (vxa_channel &ch : mod->channels)
        ch.trem_delta = 0;
}

int32_t vxa_mod_replay_mode_get(const vxa_mod *mod)
{
    return mod ? mod->replay_mode : VXA_REPLAY_REDUCED;
}

uint64_t vxa_mod_song_state(const vxa_mod *mod)
{
    if (!mod)
        return 0;
    uint64_t state = static_cast<uint64_t>(mod->order_pos) & k_order_mask;
    state = state << k_row_bits | (static_cast<uint64_t>(mod->row) & k_row_mask);
    for (int c = 0; c < k_num_channels; ++c) {
        const uint8_t count = mod->loop_count[c];
        /* A loop's start row matters only while the loop runs. */
        const uint8_t start = count != 0 ? mod->loop_start[c] : 0;
        state = state << k_loop_count_bits | (count & k_loop_count_mask);
        state = state << k_row_bits | (start & k_row_mask);
    }
    return state;
}
