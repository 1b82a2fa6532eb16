/* extended_effects.cpp - the E commands as the full replay mode plays them.
 *
 * Row start: fine slides E1y/E2y (period, within 113..856) and EAy/EBy (volume);
 * E3y glissando, E4y and E7y waveform controls, E5y finetune; E6y pattern loop; EC0
 * cuts at once; EEy repeats the row y more times. E0y (the hardware filter), E8y and
 * EFy are stored and do nothing. On later ticks: E9y retriggers every y ticks, ECy cuts
 * the volume on tick y, EDy starts the row's note on tick y.
 *
 * Choices where the classic players differ, taken here:
 * - Pattern loop: each channel keeps its own start row and count. The start row is not
 *   reset by a new pattern, so a loop end without its own E60 jumps to the row an
 *   earlier E60 of that channel set. Loops on several channels nest, and when two
 *   jump back on one row the later channel's start row wins.
 * - A loop that jumps back on the same row as a pattern break or position jump ends
 *   the pattern: the song goes on at row 0 of the jump's target (one pending row is
 *   shared by the break and the loop).
 * - Pattern delay: the last EE of a row wins (EE0 included). The row's flow commands
 *   (B, D, E6, F) and its notes act once; every other effect goes on through the
 *   repeated passes, whose first tick repeats the fine slides, a note delay and a
 *   retrigger. A break or jump on a delayed row lands exactly on its target.
 * - E90 does nothing; ED with y at or beyond the speed drops the note. */
#include "extended_effects.h"

#include "full_replay.h"

namespace {

enum extended_command : uint8_t {
    ex_fine_porta_up = 0x1,
    ex_fine_porta_down = 0x2,
    ex_glissando = 0x3,
    ex_vibrato_wave = 0x4,
    ex_finetune = 0x5,
    ex_pattern_loop = 0x6,
    ex_tremolo_wave = 0x7,
    ex_retrigger = 0x9,
    ex_fine_volume_up = 0xA,
    ex_fine_volume_down = 0xB,
    ex_note_cut = 0xC,
    ex_note_delay = 0xD,
    ex_pattern_delay = 0xE,
};

int command_of(vx_cell cell)
{
    return vx_high_nibble(cell.param);
}

/* The fine slides act on a row's first tick, and again at each repeat of a delayed
 * row. */
void fine_slide(vxa_channel *ch, vx_cell cell)
{
    const int y = vx_low_nibble(cell.param);
    switch (command_of(cell)) {
    case ex_fine_porta_up:
        vx_effects_slide_period(ch, -y);
        break;
    case ex_fine_porta_down:
        vx_effects_slide_period(ch, y);
        break;
    case ex_fine_volume_up:
        vx_effects_add_volume(ch, y);
        break;
    case ex_fine_volume_down:
        vx_effects_add_volume(ch, -y);
        break;
    default:
        break;
    }
}

void pattern_loop(vxa_mod *mod, int c, int passes, int *loop_target)
{
    if (passes == 0) {
        mod->loop_start[c] = static_cast<uint8_t>(mod->row);
        return;
    }
    if (mod->loop_count[c] == 0)
        mod->loop_count[c] = static_cast<uint8_t>(passes);
    else if (--mod->loop_count[c] == 0)
        return;
    *loop_target = mod->loop_start[c];
}

/* Every y ticks from the row start; a note of the cell has just started on tick 0. */
void retrigger_if_due(vxa_mod *mod, int c, vx_cell cell)
{
    const int y = vx_low_nibble(cell.param);
    if (y == 0 || mod->tick % y != 0 || (mod->tick == 0 && cell.note != 0))
        return;
    vx_full_replay_retrigger(mod, c);
}

} // namespace

bool vx_extended_delays_note(vx_cell cell)
{
    return cell.effect == fx_extended && command_of(cell) == ex_note_delay &&
           vx_low_nibble(cell.param) != 0;
}

uint8_t vx_extended_finetune(vx_cell cell, uint8_t finetune)
{
    const bool sets = cell.effect == fx_extended && command_of(cell) == ex_finetune;
    return sets ? static_cast<uint8_t>(vx_low_nibble(cell.param)) : finetune;
}

void vx_extended_row_start(vxa_mod *mod, int c, vx_cell cell, int *loop_target)
{
    vxa_channel &ch = mod->channels[c];
    const auto y = static_cast<uint8_t>(vx_low_nibble(cell.param));
    switch (command_of(cell)) {
    case ex_glissando:
        ch.glissando = y;
        break;
    case ex_vibrato_wave:
        ch.vib_wave = y;
        break;
    case ex_finetune:
        ch.finetune = y;
        break;
    case ex_pattern_loop:
        pattern_loop(mod, c, y, loop_target);
        break;
    case ex_tremolo_wave:
        ch.trem_wave = y;
        break;
    case ex_retrigger:
        retrigger_if_due(mod, c, cell);
        break;
    case ex_note_cut:
        if (y == 0)
            ch.volume = 0;
        break;
    case ex_pattern_delay:
        mod->delay_repeats = y;
        break;
    default:
        fine_slide(&ch, cell);
        break;
    }
}

void vx_extended_tick(vxa_mod *mod, int c, vx_cell cell)
{
    vxa_channel &ch = mod->channels[c];
    const int y = vx_low_nibble(cell.param);
    switch (command_of(cell)) {
    case ex_retrigger:
        retrigger_if_due(mod, c, cell);
        break;
    case ex_note_cut:
        if (mod->tick == y)
            ch.volume = 0;
        break;
    case ex_note_delay:
        if (mod->tick == y && cell.note != 0)
            vx_full_replay_start_note(mod, c, cell.note);
        break;
    default:
        if (mod->tick == 0)
            fine_slide(&ch, cell);
        break;
    }
}
