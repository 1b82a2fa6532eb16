/* effects.cpp - the cells of the current row and the effect steps that both replay
 * modes play alike. Periods stay within the table's range 113..856 for every slide;
 * only tone portamento may start from below it, since it climbs from wherever the
 * period is. */
#include "effects.h"

#include "meters.h"
#include "tables.h"

namespace {

constexpr int k_min_period = 113; /* B-3 */
constexpr int k_max_period = 856; /* C-1 */
constexpr int k_last_row = k_rows_per_pattern - 1;
constexpr int k_max_speed = 31;      /* ticks per row; larger F parameters set the tempo */
constexpr int k_offset_unit = 256;   /* bytes per sample-offset parameter step */
constexpr int k_wave_speed_unit = 4; /* phase step per speed nibble step */

void set_tempo_or_speed(vxa_mod *mod, uint8_t param)
{
    if (param == 0)
        return;
    if (param <= k_max_speed)
        mod->speed = param;
    else
        vx_context_set_tempo(mod, param);
}

} // namespace

const uint8_t *vx_effects_current_row(const vxa_mod *mod)
{
    int pattern = 0;
    if (mod->order_pos >= 0 && mod->order_pos < k_max_orders)
        pattern = mod->orders[mod->order_pos];
    if (pattern >= mod->num_patterns)
        pattern = 0;
    const int row = vx_clamp(mod->row, 0, k_last_row);
    return mod->patterns + pattern * k_pattern_bytes + row * k_row_bytes;
}

vx_cell vx_effects_cell(const uint8_t *row, int c)
{
    const uint8_t *bytes = row + c * k_cell_bytes;
    const uint8_t note = bytes[0] <= k_num_notes ? bytes[0] : 0;
    return {note, bytes[1], static_cast<uint8_t>(bytes[2] & 0x0F), bytes[3]};
}

vxa_sample *vx_effects_slot(vxa_mod *mod, uint8_t sample)
{
    const int slots = mod->num_samples < k_num_slots ? mod->num_samples : k_num_slots;
    return sample >= 1 && sample <= slots ? &mod->samples[sample - 1] : nullptr;
}

void vx_effects_flow_command(vxa_mod *mod, vx_cell cell)
{
    if (cell.effect == fx_position_jump) {
        mod->jump_order = cell.param;
        mod->break_row = 0;
    } else if (cell.effect == fx_pattern_break) {
        const int row = vx_high_nibble(cell.param) * 10 + vx_low_nibble(cell.param);
        mod->break_row = row <= k_last_row ? row : 0;
        if (mod->jump_order < 0)
            mod->jump_order = mod->order_pos + 1;
    } else if (cell.effect == fx_set_speed) {
        set_tempo_or_speed(mod, cell.param);
    }
}

void vx_effects_slide_period(vxa_channel *ch, int delta)
{
    ch->period = static_cast<uint16_t>(vx_clamp(ch->period + delta, k_min_period, k_max_period));
}

void vx_effects_tone_porta(vxa_channel *ch)
{
    if (ch->porta_speed == 0 || ch->porta_target == 0)
        return;
    const int period = ch->period;
    const int target = ch->porta_target;
    if (period < target)
        ch->period = static_cast<uint16_t>(vx_clamp(period + ch->porta_speed, period, target));
    else if (period > target)
        ch->period = static_cast<uint16_t>(vx_clamp(period - ch->porta_speed, target, period));
}

void vx_effects_add_volume(vxa_channel *ch, int delta)
{
    ch->volume = static_cast<uint8_t>(vx_clamp(ch->volume + delta, 0, k_max_volume));
}

void vx_effects_volume_slide(vxa_channel *ch, uint8_t param)
{
    if (vx_high_nibble(param) != 0)
        vx_effects_add_volume(ch, vx_high_nibble(param));
    else if (vx_low_nibble(param) != 0)
        vx_effects_add_volume(ch, -vx_low_nibble(param));
}

void vx_effects_set_volume(vxa_mod *mod, int c, vx_cell cell)
{
    vxa_channel &ch = mod->channels[c];
    ch.volume = static_cast<uint8_t>(cell.param < k_max_volume ? cell.param : k_max_volume);
    if (mod->muted[c])
        return;
    const bool has_note = cell.note != 0;
    mod->vu[c] = static_cast<uint8_t>(has_note ? vx_meters_note_level(ch.volume) : ch.volume);
}

void vx_effects_sample_offset(vxa_channel *ch, uint8_t param)
{
    if (param != 0)
        ch->offset_mem = param;
    ch->pos = static_cast<uint32_t>(ch->offset_mem) * k_offset_unit;
    ch->frac = 0;
}

void vx_effects_wave_params(uint8_t param, uint8_t *speed, uint8_t *depth)
{
    if (vx_high_nibble(param) != 0)
        *speed = static_cast<uint8_t>(vx_high_nibble(param) * k_wave_speed_unit);
    if (vx_low_nibble(param) != 0)
        *depth = static_cast<uint8_t>(vx_low_nibble(param));
}
