/* live_note.cpp - notes played live on a channel (auditioning while editing), and
 * cutting a channel. A live note starts like a pattern note without an effect, with
 * every effect memory of the channel cleared, and sounds whether or not the song plays. */
#include "meters.h"
#include "tables.h"
#include "tuning.h"
#include "vxa_mod_internal.h"

#include <cstring>

void vxa_mod_trigger(vxa_mod *mod, uint32_t channel, uint32_t note, uint32_t sample)
{
    if (!mod || channel >= k_num_channels || note < 1 || note > k_num_notes)
        return;
    vxa_channel &chan = mod->channels[channel];
    chan = vxa_channel{};
    /* The slot asked for when the module has it, else the first slot. */
    uint32_t slot = sample;
    if (slot < 1 || slot > static_cast<uint32_t>(mod->num_samples))
        slot = 1;
    if (mod->num_samples < 1)
        return;
    chan.sample = &mod->samples[slot - 1];
    if (!chan.sample->data)
        return;
    chan.volume = chan.sample->volume;
    /* The full replay mode plays the slot's finetune, as its pattern notes do. */
    if (mod->replay_mode == VXA_REPLAY_FULL)
        chan.finetune = chan.sample->finetune;
    chan.period = vx_tuning_period(chan.finetune, static_cast<int>(note));
    chan.play_period = chan.period;
    if (!mod->muted[channel])
        vx_meters_note_start(mod, static_cast<int>(channel), static_cast<int>(note), chan.volume);
}

void vxa_mod_cut_channel(vxa_mod *mod, uint32_t channel)
{
    if (mod && channel < k_num_channels)
        mod->channels[channel] = vxa_channel{};
}
