/* replayer.cpp - the sequencer: reads a row of four cells at the first tick of each
 * row, applies the effect commands on every tick, and moves the song position.
 *
 * It owns the position fields of the context (order_pos, row, tick, speed, tempo,
 * break_row, jump_order) and the musical fields of each channel. Periods stay within
 * the table's range 113..856 for every slide and the vibrato; only tone portamento
 * may start from below it, since it climbs from wherever the period is. */
#include "replayer.h"

#include "tables.h"

namespace {

/* Porta up, porta down and the vibrato keep the period inside the table's range,
 * even when a slide starts from period 0 (no note played yet on the channel). */
constexpr int k_min_period = 113; /* B-3 */
constexpr int k_max_period = 856; /* C-1 */
constexpr int k_last_row = k_rows_per_pattern - 1;
constexpr int k_max_speed = 31;      /* ticks per row; larger F parameters set the tempo */
constexpr int k_vu_floor = 18;       /* lowest VU level a note start shows */
constexpr int k_last_bar = 23;       /* highest spectrum bar index */
constexpr int k_bar_first_rise = 36; /* spectrum levels, 0..126 */
constexpr int k_bar_second_rise = 100;
constexpr int k_bar_top = 126;
constexpr int k_bar_bump = 10;
constexpr int k_vibrato_full_turn = 128; /* phase units after which the sine turns negative */
constexpr int k_offset_unit = 256;       /* bytes per sample-offset parameter step */

enum effect_command : uint8_t {
    fx_arpeggio = 0x0,
    fx_porta_up = 0x1,
    fx_porta_down = 0x2,
    fx_tone_porta = 0x3,
    fx_vibrato = 0x4,
    fx_tone_porta_slide = 0x5,
    fx_vibrato_slide = 0x6,
    fx_sample_offset = 0x9,
    fx_volume_slide = 0xA,
    fx_position_jump = 0xB,
    fx_set_volume = 0xC,
    fx_pattern_break = 0xD,
    fx_set_speed = 0xF,
};

/* One cell as the replayer uses it. A note outside 1..36 is played as no note, so a
 * stray byte can never index the period table out of range. */
struct cell_view {
    uint8_t note;
    uint8_t sample;
    uint8_t effect;
    uint8_t param;
};

cell_view read_cell(const uint8_t *bytes)
{
    const uint8_t note = bytes[0] <= k_num_notes ? bytes[0] : 0;
    return {note, bytes[1], static_cast<uint8_t>(bytes[2] & 0x0F), bytes[3]};
}

int high_nibble(uint8_t param)
{
    return param >> 4;
}

int low_nibble(uint8_t param)
{
    return param & 0x0F;
}

int clamp_int(int value, int low, int high)
{
    return value < low ? low : (value > high ? high : value);
}

bool is_tone_porta(uint8_t effect)
{
    return effect == fx_tone_porta || effect == fx_tone_porta_slide;
}

/* The 16 bytes of the current row; a pattern number not below num_patterns plays
 * pattern 0. */
const uint8_t *current_row(const vxa_mod *mod)
{
    int pattern = 0;
    if (mod->order_pos >= 0 && mod->order_pos < k_max_orders)
        pattern = mod->orders[mod->order_pos];
    if (pattern >= mod->num_patterns)
        pattern = 0;
    const int row = clamp_int(mod->row, 0, k_last_row);
    return mod->patterns + pattern * k_pattern_bytes + row * k_row_bytes;
}

void refresh_play_period(vxa_channel *ch)
{
    if (ch->effect != fx_vibrato && ch->effect != fx_vibrato_slide) {
        ch->play_period = ch->period;
        return;
    }
    ch->vib_pos = static_cast<uint8_t>(ch->vib_pos + ch->vib_speed);
    int delta = (ch->vib_depth * k_vibrato_tab[(ch->vib_pos >> 2) & (k_vibrato_steps - 1)]) >> 7;
    if (ch->vib_pos >= k_vibrato_full_turn)
        delta = -delta;
    ch->play_period =
        static_cast<uint16_t>(clamp_int(ch->period + delta, k_min_period, k_max_period));
}

void set_tempo_or_speed(vxa_mod *mod, uint8_t param)
{
    if (param == 0)
        return;
    if (param <= k_max_speed)
        mod->speed = param;
    else
        vx_context_set_tempo(mod, param);
}

/* B, D and F. Handled in channel order, so a later B resets an earlier D's row to 0,
 * while a later D keeps an earlier B's target and sets the row. */
void apply_flow_command(vxa_mod *mod, cell_view cell)
{
    if (cell.effect == fx_position_jump) {
        mod->jump_order = cell.param;
        mod->break_row = 0;
    } else if (cell.effect == fx_pattern_break) {
        const int row = high_nibble(cell.param) * 10 + low_nibble(cell.param);
        mod->break_row = row <= k_last_row ? row : 0;
        if (mod->jump_order < 0)
            mod->jump_order = mod->order_pos + 1;
    } else if (cell.effect == fx_set_speed) {
        set_tempo_or_speed(mod, cell.param);
    }
}

void raise_spectrum_bar(vxa_mod *mod, uint8_t note, int level)
{
    int bar = k_tonnr2spec[note];
    if (bar > k_last_bar)
        bar = k_last_bar;
    int value = mod->spectrum[bar];
    if (value < k_bar_first_rise)
        value = k_bar_first_rise;
    else if (value < k_bar_second_rise)
        value = k_bar_second_rise;
    else
        value += level / 8 + k_bar_bump;
    mod->spectrum[bar] = value < k_bar_top ? value : k_bar_top;
}

/* Sample number and note of a cell; the channel keeps its slot and volume when the
 * cell has none, and tone portamento turns the note into a target. */
void start_note(vxa_mod *mod, int c, cell_view cell)
{
    vxa_channel &ch = mod->channels[c];
    const bool porta = is_tone_porta(cell.effect);
    const int slots = mod->num_samples < k_num_slots ? mod->num_samples : k_num_slots;
    if (cell.sample >= 1 && cell.sample <= slots) {
        ch.sample = &mod->samples[cell.sample - 1];
        ch.volume = ch.sample->volume;
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
    if (!mod->muted[c]) {
        const int level = clamp_int(ch.volume, k_vu_floor, k_max_volume);
        mod->vu[c] = static_cast<uint8_t>(level);
        raise_spectrum_bar(mod, cell.note, level);
    }
}

void set_up_arpeggio(vxa_channel *ch, cell_view cell)
{
    const int note = cell.note != 0 ? cell.note : period_to_note(ch->period);
    const int base = (note > 1 ? note : 1) - 1;
    const int last = k_num_notes - 1;
    ch->arp[0] = static_cast<uint8_t>(base);
    ch->arp[1] = static_cast<uint8_t>(clamp_int(base + high_nibble(cell.param), 0, last));
    ch->arp[2] = static_cast<uint8_t>(clamp_int(base + low_nibble(cell.param), 0, last));
}

void set_volume(vxa_mod *mod, int c, cell_view cell)
{
    vxa_channel &ch = mod->channels[c];
    ch.volume = static_cast<uint8_t>(cell.param < k_max_volume ? cell.param : k_max_volume);
    if (mod->muted[c])
        return;
    const bool has_note = cell.note != 0;
    mod->vu[c] = has_note && ch.volume < k_vu_floor ? k_vu_floor : ch.volume;
}

/* Effect memory and the effects that act at the row start. */
void start_effect(vxa_mod *mod, int c, cell_view cell)
{
    vxa_channel &ch = mod->channels[c];
    ch.effect = cell.effect;
    ch.param = cell.param;
    switch (cell.effect) {
    case fx_sample_offset:
        if (cell.param != 0)
            ch.offset_mem = cell.param;
        ch.pos = static_cast<uint32_t>(ch.offset_mem) * k_offset_unit;
        ch.frac = 0;
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
        if (high_nibble(cell.param) != 0)
            ch.vib_speed = static_cast<uint8_t>(high_nibble(cell.param) * 4);
        if (low_nibble(cell.param) != 0)
            ch.vib_depth = static_cast<uint8_t>(low_nibble(cell.param));
        break;
    case fx_set_volume:
        set_volume(mod, c, cell);
        break;
    default:
        break;
    }
}

void process_row_start(vxa_mod *mod)
{
    const uint8_t *row = current_row(mod);
    mod->break_row = -1;
    mod->jump_order = -1;
    for (int c = 0; c < k_num_channels; ++c) {
        const cell_view cell = read_cell(row + c * k_cell_bytes);
        apply_flow_command(mod, cell);
        start_note(mod, c, cell);
        start_effect(mod, c, cell);
        refresh_play_period(&mod->channels[c]);
    }
}

void slide_toward_target(vxa_channel *ch)
{
    if (ch->porta_speed == 0 || ch->porta_target == 0)
        return;
    const int period = ch->period;
    const int target = ch->porta_target;
    if (period < target)
        ch->period = static_cast<uint16_t>(clamp_int(period + ch->porta_speed, period, target));
    else if (period > target)
        ch->period = static_cast<uint16_t>(clamp_int(period - ch->porta_speed, target, period));
}

void slide_volume(vxa_channel *ch, uint8_t param)
{
    if (high_nibble(param) != 0)
        ch->volume =
            static_cast<uint8_t>(clamp_int(ch->volume + high_nibble(param), 0, k_max_volume));
    else if (low_nibble(param) != 0)
        ch->volume =
            static_cast<uint8_t>(clamp_int(ch->volume - low_nibble(param), 0, k_max_volume));
}

/* A later tick reads the cell again, so an edit made during the row applies to the
 * rest of it. */
void process_later_tick(vxa_mod *mod)
{
    const uint8_t *row = current_row(mod);
    for (int c = 0; c < k_num_channels; ++c) {
        const cell_view cell = read_cell(row + c * k_cell_bytes);
        vxa_channel &ch = mod->channels[c];
        switch (cell.effect) {
        case fx_arpeggio:
            if (cell.param != 0)
                ch.period = k_periods[ch.arp[mod->tick % 3]];
            break;
        case fx_porta_up:
            ch.period = static_cast<uint16_t>(
                clamp_int(ch.period - cell.param, k_min_period, k_max_period));
            break;
        case fx_porta_down:
            ch.period = static_cast<uint16_t>(
                clamp_int(ch.period + cell.param, k_min_period, k_max_period));
            break;
        case fx_tone_porta:
            slide_toward_target(&ch);
            break;
        case fx_tone_porta_slide:
            slide_toward_target(&ch);
            slide_volume(&ch, cell.param);
            break;
        case fx_vibrato_slide:
        case fx_volume_slide:
            slide_volume(&ch, cell.param);
            break;
        default:
            break;
        }
        refresh_play_period(&ch);
    }
}

/* Song mode follows jumps and breaks; a target at or beyond the song's end, and the
 * end itself, continue at the restart position. */
void advance_song_row(vxa_mod *mod)
{
    if (mod->jump_order >= 0) {
        mod->order_pos = mod->jump_order < mod->song_length ? mod->jump_order : mod->restart_pos;
        mod->row = mod->break_row >= 0 ? mod->break_row : 0;
    } else if (mod->row < k_last_row) {
        ++mod->row;
    } else {
        mod->row = 0;
        ++mod->order_pos;
        /* At or beyond, not just at: an empty song (length 0) must not run off the
         * order table. */
        if (mod->order_pos >= mod->song_length)
            mod->order_pos = mod->restart_pos;
    }
    mod->break_row = -1;
    mod->jump_order = -1;
}

/* Pattern mode never leaves the pattern: B and D only choose the next row. */
void advance_pattern_row(vxa_mod *mod)
{
    if (mod->break_row >= 0)
        mod->row = mod->break_row;
    else
        mod->row = mod->row < k_last_row ? mod->row + 1 : 0;
    mod->break_row = -1;
    mod->jump_order = -1;
}

} // namespace

void vx_replayer_tick(vxa_mod *mod)
{
    if (mod->tick == 0)
        process_row_start(mod);
    else
        process_later_tick(mod);
    if (++mod->tick < mod->speed)
        return;
    mod->tick = 0;
    if (mod->play_mode == 1)
        advance_pattern_row(mod);
    else
        advance_song_row(mod);
}
