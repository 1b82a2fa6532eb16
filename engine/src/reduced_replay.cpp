/* reduced_replay.cpp - the reduced replay mode, the default: the classic effect set
 * without commands 7, 8 and E (stored but inert) and without finetune. An arpeggio
 * writes its notes into the base period, and a sample number alone restarts the slot
 * at the channel's period.
 *
 * Vibrato acts on every tick, the row start included, and a note never resets its
 * phase; the played period stays inside the table's range 113..856. */
#include "replay_modes.h"

#include "effects.h"
#include "meters.h"
#include "tables.h"

namespace {

constexpr int k_min_period = 113;        /* B-3 */
constexpr int k_max_period = 856;        /* C-1 */
constexpr int k_vibrato_half_turn = 128; /* phase (0..255) from which the sine is negated */

void refresh_play_period(vxa_channel *ch)
{
    if (ch->effect != fx_vibrato && ch->effect != fx_vibrato_slide) {
        ch->play_period = ch->period;
        return;
    }
    ch->vib_pos = static_cast<uint8_t>(ch->vib_pos + ch->vib_speed);
    int delta = (ch->vib_depth * k_vibrato_tab[(ch->vib_pos >> 2) & (k_vibrato_steps - 1)]) >> 7;
    if (ch->vib_pos >= k_vibrato_half_turn)
        delta = -delta;
    ch->play_period =
        static_cast<uint16_t>(vx_clamp(ch->period + delta, k_min_period, k_max_period));
}

/* Sample number and note of a cell; the channel keeps its slot and volume when the
 * cell has none, and tone portamento turns the note into a target. */
void start_note(vxa_mod *mod, int c, vx_cell cell)
{
    vxa_channel &ch = mod->channels[c];
    const bool porta = vx_is_tone_porta(cell.effect);
    if (vxa_sample *slot = vx_effects_slot(mod, cell.sample)) {
        ch.sample = slot;
        ch.volume = slot->volume;
        if (!porta) {
            ch.pos = 0;
            ch.frac = 0;
        }
    }
    if (cell.note == 0)
        return;
    const uint16_t period = k_periods[cell.note - 1];
    if (porta) {
        ch.porta_target = period;
        return;
    }
    ch.period = period;
    ch.play_period = period;
    ch.pos = 0;
    ch.frac = 0;
    if (!mod->muted[c])
        vx_meters_note_start(mod, c, cell.note, ch.volume);
}

void set_up_arpeggio(vxa_channel *ch, vx_cell cell)
{
    const int note = cell.note != 0 ? cell.note : period_to_note(ch->period);
    const int base = (note > 1 ? note : 1) - 1;
    const int last = k_num_notes - 1;
    ch->arp[0] = static_cast<uint8_t>(base);
    ch->arp[1] = static_cast<uint8_t>(vx_clamp(base + vx_high_nibble(cell.param), 0, last));
    ch->arp[2] = static_cast<uint8_t>(vx_clamp(base + vx_low_nibble(cell.param), 0, last));
}

/* Effect memory and the effects that act at the row start. */
void start_effect(vxa_mod *mod, int c, vx_cell cell)
{
    vxa_channel &ch = mod->channels[c];
    ch.effect = cell.effect;
    ch.param = cell.param;
    switch (cell.effect) {
    case fx_sample_offset:
        vx_effects_sample_offset(&ch, cell.param);
        break;
    case fx_arpeggio:
        if (cell.param != 0)
            set_up_arpeggio(&ch, cell);
        break;
    case fx_tone_porta:
        if (cell.param != 0)
            ch.porta_speed = cell.param;
        break;
    case fx_vibrato:
    case fx_vibrato_slide:
        vx_effects_wave_params(cell.param, &ch.vib_speed, &ch.vib_depth);
        break;
    case fx_set_volume:
        vx_effects_set_volume(mod, c, cell);
        break;
    default:
        break;
    }
}

void process_row_start(vxa_mod *mod)
{
    const uint8_t *row = vx_effects_current_row(mod);
    mod->break_row = -1;
    mod->jump_order = -1;
    for (int c = 0; c < k_num_channels; ++c) {
        const vx_cell cell = vx_effects_cell(row, c);
        vx_effects_flow_command(mod, cell);
        start_note(mod, c, cell);
        start_effect(mod, c, cell);
        refresh_play_period(&mod->channels[c]);
    }
}

/* A later tick reads the cell again, so an edit made during the row applies to the
 * rest of it. */
void process_later_tick(vxa_mod *mod)
{
    const uint8_t *row = vx_effects_current_row(mod);
    for (int c = 0; c < k_num_channels; ++c) {
        const vx_cell cell = vx_effects_cell(row, c);
        vxa_channel &ch = mod->channels[c];
        switch (cell.effect) {
        case fx_arpeggio:
            if (cell.param != 0)
                ch.period = k_periods[ch.arp[mod->tick % 3]];
            break;
        case fx_porta_up:
            vx_effects_slide_period(&ch, -cell.param);
            break;
        case fx_porta_down:
            vx_effects_slide_period(&ch, cell.param);
            break;
        case fx_tone_porta:
            vx_effects_tone_porta(&ch);
            break;
        case fx_tone_porta_slide:
            vx_effects_tone_porta(&ch);
            vx_effects_volume_slide(&ch, cell.param);
            break;
        case fx_vibrato_slide:
        case fx_volume_slide:
            vx_effects_volume_slide(&ch, cell.param);
            break;
        default:
            break;
        }
        refresh_play_period(&ch);
    }
}

} // namespace

void vx_reduced_replay_tick(vxa_mod *mod)
{
    if (mod->tick == 0)
        process_row_start(mod);
    else
        process_later_tick(mod);
}
