/* meters.cpp - raising and decaying the VU levels and spectrum bars, and reading the
 * bars out. */
#include "meters.h"

#include "tables.h"

#include <cstring>

namespace {

constexpr int k_min_note_level = 18; /* VU level of the quietest note start, 0..64 */
constexpr int k_bar_first = 36;
constexpr int k_bar_second = 100;
constexpr int k_bar_max = 126;
constexpr int k_last_bar = k_spectrum_bars - 1;
constexpr int k_vu_fall = 2;       /* per display frame */
constexpr int k_bar_fall = 5;      /* per display frame */
constexpr int k_bar_read_max = 63; /* bars read as 0..63 */

} // namespace

int vx_meters_note_level(int volume)
{
    return volume < k_min_note_level ? k_min_note_level
           : volume > k_max_volume   ? k_max_volume
                                     : volume;
}

void vx_meters_note_start(vxa_mod *mod, int channel, int note, int volume)
{
    const int level = vx_meters_note_level(volume);
    mod->vu[channel] = static_cast<uint8_t>(level);
    if (note < 1 || note > k_num_notes)
        return;
    const int bar = k_tonnr2spec[note] < k_last_bar ? k_tonnr2spec[note] : k_last_bar;
    int32_t &value = mod->spectrum[bar];
    if (value < k_bar_first)
        value = k_bar_first;
    else if (value < k_bar_second)
        value = k_bar_second;
    else
        value += level / 8 + 10;
    if (value > k_bar_max)
        value = k_bar_max;
}

void vxa_mod_display_tick(vxa_mod *mod)
{
    if (!mod)
        return;
    for (uint8_t &level : mod->vu)
        level = static_cast<uint8_t>(level > k_vu_fall ? level - k_vu_fall : 0);
    for (int32_t &bar : mod->spectrum)
        bar = bar > k_bar_fall ? bar - k_bar_fall : 0;
}

void vxa_mod_get_spectrum(const vxa_mod *mod, uint8_t *out24)
{
    if (!out24)
        return;
    std::memset(out24, 0, k_spectrum_bars);
    if (!mod)
        return;
    for (int i = 0; i < k_spectrum_bars; ++i) {
        const int32_t value = mod->spectrum[i] / 2;
        out24[i] = static_cast<uint8_t>(value < 0                ? 0
                                        : value > k_bar_read_max ? k_bar_read_max
                                                                 : value);
    }
}
