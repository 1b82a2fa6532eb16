/* full_replay.cpp - the full replay mode: rows and ticks as the classic four-channel
 * players play them, on top of the effects both modes share.
 *
 * What differs from the reduced mode:
 * - Finetune: a sample number gives the channel its slot's finetune, and notes, tone
 *   portamento targets, arpeggios and glissando read the tuned period tables.
 * - A sample number sets the channel's volume and finetune and names the slot the next
 *   note starts; the sound playing goes on (with tone portamento too).
 * - Arpeggio, vibrato, tremolo and glissando change only what is played (play_period,
 *   trem_delta); the base period and volume stay, so the pitch comes back after them.
 * - Vibrato and tremolo act on the ticks after the row start, from the phase before
 *   their step; a note restarts their phases unless the waveform control keeps them.
 *   6xy continues the vibrato as it was; its parameter is the volume slide's only.
 * - A row start without a note plays the base period and volume, unless the row goes on
 *   with the modulation of the row before (arpeggio, vibrato, tone portamento; or
 *   tremolo for the volume): then the first tick keeps the value of the tick before,
 *   as the classic players write the period only with a note, so a modulation held
 *   over several rows runs on without a jump.
 * - Command E (extended_effects.cpp) and the pattern delay's repeated passes, whose
 *   first tick reads no cells and plays the row's effects like a later tick. */
#include "replay_modes.h"

#include "extended_effects.h"
#include "full_replay.h"
#include "meters.h"
#include "modulation.h"
#include "tuning.h"

namespace {

enum class pitch_modulation { none, arpeggio, vibrato, tone_porta };

pitch_modulation pitch_modulation_of(uint8_t effect, uint8_t param)
{
    switch (effect) {
    case fx_arpeggio:
        return param != 0 ? pitch_modulation::arpeggio : pitch_modulation::none;
    case fx_vibrato:
    case fx_vibrato_slide:
        return pitch_modulation::vibrato;
    case fx_tone_porta:
    case fx_tone_porta_slide:
        return pitch_modulation::tone_porta;
    default:
        return pitch_modulation::none;
    }
}

void take_sample_number(vxa_channel *ch, vxa_sample *slot)
{
    ch->instrument = slot;
    ch->volume = slot->volume;
    ch->finetune = slot->finetune;
}

/* The row start of channel c. Returns whether a sound started, for the played values
 * the caller settles. */
bool start_cell(vxa_mod *mod, int c, vx_cell cell, int *loop_target)
{
    vxa_channel &ch = mod->channels[c];
    vx_effects_flow_command(mod, cell);
    if (vxa_sample *slot = vx_effects_slot(mod, cell.sample))
        take_sample_number(&ch, slot);
    ch.finetune = vx_extended_finetune(cell, ch.finetune);
    bool started = false;
    if (cell.note != 0 && vx_is_tone_porta(cell.effect)) {
        ch.porta_target = vx_tuning_period(ch.finetune, cell.note);
    } else if (cell.note != 0 && !vx_extended_delays_note(cell)) {
        vx_full_replay_start_note(mod, c, cell.note);
        started = true;
    }
    ch.effect = cell.effect;
    ch.param = cell.param;
    switch (cell.effect) {
    case fx_sample_offset:
        vx_effects_sample_offset(&ch, cell.param);
        break;
    case fx_tone_porta:
        if (cell.param != 0)
            ch.porta_speed = cell.param;
        break;
    case fx_set_volume:
        vx_effects_set_volume(mod, c, cell);
        break;
    case fx_extended:
        vx_extended_row_start(mod, c, cell, loop_target);
        break;
    default:
        break;
    }
    return started;
}

/* A pattern loop jumping back is a jump to a row of the current position; with a
 * break or jump on the same row it leaves row 0 of that target instead. */
void take_loop_jump(vxa_mod *mod, int loop_target)
{
    if (loop_target < 0)
        return;
    if (mod->jump_order >= 0) {
        mod->break_row = 0;
        return;
    }
    mod->jump_order = mod->order_pos;
    mod->break_row = loop_target;
}

void process_row_start(vxa_mod *mod)
{
    const uint8_t *row = vx_effects_current_row(mod);
    mod->break_row = -1;
    mod->jump_order = -1;
    int loop_target = -1;
    for (int c = 0; c < k_num_channels; ++c) {
        const vx_cell cell = vx_effects_cell(row, c);
        vxa_channel &ch = mod->channels[c];
        const pitch_modulation before = pitch_modulation_of(ch.effect, ch.param);
        const bool tremolo_before = ch.effect == fx_tremolo;
        const bool started = start_cell(mod, c, cell, &loop_target);
        const bool goes_on = !started && cell.note == 0 && cell.sample == 0;
        const pitch_modulation now = pitch_modulation_of(cell.effect, cell.param);
        if (!goes_on || now == pitch_modulation::none || now != before)
            ch.play_period = ch.period;
        if (!goes_on || cell.effect != fx_tremolo || !tremolo_before)
            ch.trem_delta = 0;
    }
    take_loop_jump(mod, loop_target);
}

/* One channel on a later tick, or on the first tick of a delayed row's repeated pass.
 * The cell is read again, so an edit made during the row applies to the rest of it. */
void process_channel_tick(vxa_mod *mod, int c, vx_cell cell)
{
    vxa_channel &ch = mod->channels[c];
    uint16_t played = 0; /* 0: the base period */
    ch.trem_delta = 0;
    switch (cell.effect) {
    case fx_arpeggio:
        if (cell.param != 0)
            played = vx_modulation_arpeggio(ch, cell.param, mod->tick);
        break;
    case fx_porta_up:
        vx_effects_slide_period(&ch, -cell.param);
        break;
    case fx_porta_down:
        vx_effects_slide_period(&ch, cell.param);
        break;
    case fx_tone_porta:
        vx_effects_tone_porta(&ch);
        played = vx_modulation_glissando(ch);
        break;
    case fx_tone_porta_slide:
        vx_effects_tone_porta(&ch);
        played = vx_modulation_glissando(ch);
        vx_effects_volume_slide(&ch, cell.param);
        break;
    case fx_vibrato:
        vx_effects_wave_params(cell.param, &ch.vib_speed, &ch.vib_depth);
        played = vx_modulation_vibrato(&ch);
        break;
    case fx_vibrato_slide:
        played = vx_modulation_vibrato(&ch);
        vx_effects_volume_slide(&ch, cell.param);
        break;
    case fx_tremolo:
        vx_effects_wave_params(cell.param, &ch.trem_speed, &ch.trem_depth);
        ch.trem_delta = vx_modulation_tremolo(&ch);
        break;
    case fx_volume_slide:
        vx_effects_volume_slide(&ch, cell.param);
        break;
    case fx_extended:
        vx_extended_tick(mod, c, cell);
        break;
    default:
        break;
    }
    ch.play_period = played != 0 ? played : ch.period;
}

void process_later_tick(vxa_mod *mod)
{
    const uint8_t *row = vx_effects_current_row(mod);
    for (int c = 0; c < k_num_channels; ++c)
        process_channel_tick(mod, c, vx_effects_cell(row, c));
}

void raise_meters(vxa_mod *mod, int c, int note)
{
    if (!mod->muted[c])
        vx_meters_note_start(mod, c, note, mod->channels[c].volume);
}

} // namespace

void vx_full_replay_start_note(vxa_mod *mod, int c, int note)
{
    vxa_channel &ch = mod->channels[c];
    if (ch.instrument)
        ch.sample = ch.instrument;
    ch.period = vx_tuning_period(ch.finetune, note);
    ch.play_period = ch.period;
    ch.pos = 0;
    ch.frac = 0;
    ch.trem_delta = 0;
    vx_modulation_note_start(&ch);
    raise_meters(mod, c, note);
}

void vx_full_replay_retrigger(vxa_mod *mod, int c)
{
    vxa_channel &ch = mod->channels[c];
    if (ch.instrument)
        ch.sample = ch.instrument;
    ch.pos = 0;
    ch.frac = 0;
    if (ch.period != 0)
        raise_meters(mod, c, period_to_note(ch.period));
}

void vx_full_replay_tick(vxa_mod *mod)
{
    if (mod->tick == 0 && !mod->row_repeat)
        process_row_start(mod);
    else
        process_later_tick(mod);
}
