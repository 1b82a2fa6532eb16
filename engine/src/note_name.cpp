/* note_name.cpp - what a note index stands for: its three-character text, stem and
 * octave ("C-1", "F#2", "B-3") or "---" for no note, and its Amiga period. */
#include "tables.h"
#include "vxa_mod.h"
#include "vxa_mod_extras.h"

#include <cstdio>

namespace {

constexpr size_t k_name_buffer = 4; /* three characters and the NUL */
constexpr int k_notes_per_octave = 12;
constexpr const char *names[k_notes_per_octave] = {"C-", "C#", "D-", "D#", "E-", "F-",
                                                   "F#", "G-", "G#", "A-", "A#", "B-"};

} // namespace

void vxa_mod_note_name(uint8_t note, char *buffer, size_t size)
{
    if (!buffer || size == 0)
        return;
    if (size < k_name_buffer) {
        buffer[0] = '\0';
        return;
    }
    if (note >= 1 && note <= k_num_notes)
        std::snprintf(buffer, size, "%s%d", names[(note - 1) % k_notes_per_octave],
                      (note - 1) / k_notes_per_octave + 1);
    else
        std::snprintf(buffer, size, "---");
}

uint16_t vxa_mod_note_period(uint32_t note)
{
    return note >= 1 && note <= k_num_notes ? k_periods[note - 1] : 0;
}
