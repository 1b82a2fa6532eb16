/* cells.cpp - reading and writing single pattern cells, and transposing one note value
 * through a track or a pattern.
 *
 * A negative pattern argument means the pattern at the current song position. Cells
 * are stored as given; the replayer is the one that ignores notes above 36 and sample
 * numbers above the module's count, so no stored byte can lead it out of its tables. */
#include "tables.h"
#include "vxa_mod_internal.h"

#include <cstring>

namespace {

/* The selected pattern's data, or null when there is no module or no such pattern. */
uint8_t *select_pattern(const vxa_mod *mod, int32_t pattern)
{
    if (!mod || !mod->patterns)
        return nullptr;
    if (pattern < 0) {
        if (mod->order_pos < 0 || mod->order_pos >= mod->song_length)
            return nullptr;
        pattern = mod->orders[mod->order_pos];
    }
    if (pattern >= mod->num_patterns)
        return nullptr;
    return mod->patterns + static_cast<size_t>(pattern) * k_pattern_bytes;
}

uint8_t *select_cell(const vxa_mod *mod, int32_t pattern, uint32_t row, uint32_t channel)
{
    if (row >= k_rows_per_pattern || channel >= k_num_channels)
        return nullptr;
    uint8_t *data = select_pattern(mod, pattern);
    return data ? data + row * k_row_bytes + channel * k_cell_bytes : nullptr;
}

} // namespace

int32_t vxa_mod_get_cell(const vxa_mod *mod, int32_t pattern, uint32_t row, uint32_t channel,
                         vxa_cell *out)
{
    const uint8_t *cell = out ? select_cell(mod, pattern, row, channel) : nullptr;
    if (!cell)
        return -1;
    *out = vxa_cell{cell[0], cell[1], cell[2], cell[3]};
    return 0;
}

int32_t vxa_mod_set_cell(vxa_mod *mod, int32_t pattern, uint32_t row, uint32_t channel,
                         const vxa_cell *in)
{
    uint8_t *cell = in ? select_cell(mod, pattern, row, channel) : nullptr;
    if (!cell)
        return -1;
    cell[0] = in->note;
    cell[1] = in->sample;
    cell[2] = in->effect & 0x0F;
    cell[3] = in->param;
    return 0;
}

void vxa_mod_transpose(vxa_mod *mod, int32_t pattern, int32_t channel, int32_t semitones,
                       int32_t note)
{
    if (note < 1 || note > k_num_notes || semitones == 0 || channel >= k_num_channels)
        return;
    uint8_t *data = select_pattern(mod, pattern);
    if (!data)
        return;
    const int64_t moved = static_cast<int64_t>(note) + semitones;
    const auto target = static_cast<uint8_t>(moved < 1             ? 1
                                             : moved > k_num_notes ? k_num_notes
                                                                   : moved);
    const int first = channel < 0 ? 0 : channel;
    const int last = channel < 0 ? k_num_channels - 1 : channel;
    for (int row = 0; row < k_rows_per_pattern; ++row) {
        for (int c = first; c <= last; ++c) {
            uint8_t &cell_note = data[row * k_row_bytes + c * k_cell_bytes];
            if (cell_note == note)
                cell_note = target;
        }
    }
}
