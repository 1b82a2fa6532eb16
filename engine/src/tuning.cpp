/* tuning.cpp - periods with finetune, read from the derived tables of tables.h. Every
 * index is limited to the 36 notes, so no period can select a value outside them. */
#include "tuning.h"

#include "tables.h"

namespace {

constexpr int k_finetune_mask = k_num_finetunes - 1;
constexpr int k_last_note = k_num_notes - 1;

/* Index of the first entry at or below the period: the tables fall from C-1 to B-3. */
int note_index_at(const std::array<uint16_t, k_num_notes> &table, uint16_t period)
{
    for (int n = 0; n < k_last_note; ++n) {
        if (table[n] <= period)
            return n;
    }
    return k_last_note;
}

} // namespace

uint16_t vx_tuning_period(uint8_t finetune, int note)
{
    const int n = note < 1 ? 0 : (note > k_num_notes ? k_last_note : note - 1);
    return k_finetune_periods[finetune & k_finetune_mask][n];
}

uint16_t vx_tuning_shift(uint8_t finetune, uint16_t period, int semitones)
{
    if (period == 0)
        return 0;
    const auto &table = k_finetune_periods[finetune & k_finetune_mask];
    const int n = note_index_at(table, period) + semitones;
    return table[n < k_last_note ? n : k_last_note];
}
