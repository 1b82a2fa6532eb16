/* tables.h - the engine's constant tables: Amiga periods with and without finetune, note
 * to spectrum bar, and the vibrato half sine. Each is sized by a named count, checked at
 * compile time. */
#ifndef VXA_TABLES_H
#define VXA_TABLES_H

#include "vxa_mod_extras.h"

#include <array>
#include <cstdint>
#include <iterator>

constexpr int k_num_notes = 36;

/* The PAL machine clock the periods count in, Hz: a note's sample rate is this divided
 * by its period. */
constexpr uint32_t k_pal_clock = VXA_MOD_PAL_CLOCK_HZ;
constexpr int k_vibrato_steps = 32;

/* Amiga periods without finetune for notes 1..36 (C-1..B-3); note n is entry n - 1.
 * Unit: ticks of the PAL clock per sample step. */
inline constexpr uint16_t k_periods[] = {
    856, 808, 762, 720, 678, 640, 604, 570, 538, 508, 480, 453, 428, 404, 381, 360, 339, 320,
    302, 285, 269, 254, 240, 226, 214, 202, 190, 180, 170, 160, 151, 143, 135, 127, 120, 113};
static_assert(std::size(k_periods) == k_num_notes);

/* Finetune moves a sample's pitch in eighths of a semitone, -8..+7; the sample header
 * stores it as a nibble, 0..7 for 0..+7 and 8..15 for -8..-1. */
constexpr int k_num_finetunes = 16;

/* One finetune step as a frequency ratio: 2^(1/96), an eighth of an equal-tempered
 * semitone. */
constexpr double k_finetune_step = 1.0072464122237039;

constexpr double vx_power(double base, int exponent)
{
    double result = 1.0;
    for (int i = 0; i < exponent; ++i)
        result *= base;
    return result;
}
static_assert(vx_power(k_finetune_step, 96) > 2.0 - 1e-12 &&
              vx_power(k_finetune_step, 96) < 2.0 + 1e-12);

/* The period tables of the 16 finetunes, derived from k_periods: finetune f divides each
 * note's period by 2^(f/96) and rounds to the nearest whole period. Finetune 0 is
 * k_periods itself, and -8 lies a semitone lower, so each tuned table falls between the
 * untuned notes around it. Indexed by the header nibble, then note - 1; unit as
 * k_periods. */
using vx_period_tables = std::array<std::array<uint16_t, k_num_notes>, k_num_finetunes>;

constexpr vx_period_tables vx_derive_finetune_periods()
{
    vx_period_tables tables{};
    for (int nibble = 0; nibble < k_num_finetunes; ++nibble) {
        const int steps = nibble < k_num_finetunes / 2 ? nibble : nibble - k_num_finetunes;
        const double ratio =
            steps >= 0 ? 1.0 / vx_power(k_finetune_step, steps) : vx_power(k_finetune_step, -steps);
        for (int n = 0; n < k_num_notes; ++n)
            tables[nibble][n] = static_cast<uint16_t>(k_periods[n] * ratio + 0.5);
    }
    return tables;
}
inline constexpr vx_period_tables k_finetune_periods = vx_derive_finetune_periods();
static_assert([] {
    for (int n = 0; n < k_num_notes; ++n) {
        if (k_finetune_periods[0][n] != k_periods[n])
            return false;
    }
    return true;
}());

/* Spectrum bar 0..23 for each note index 0..36. */
inline constexpr uint8_t k_tonnr2spec[] = {0,  1,  1,  2,  2,  3,  3,  4,  4,  5,  5,  6,  6,
                                           7,  7,  8,  9,  10, 11, 12, 13, 13, 14, 14, 15, 15,
                                           16, 16, 17, 17, 18, 18, 19, 19, 20, 20, 21};
static_assert(std::size(k_tonnr2spec) == k_num_notes + 1);

/* Half sine of classic MOD vibrato, amplitude 0..255 over 32 phase steps. */
inline constexpr uint8_t k_vibrato_tab[] = {0,   24,  49,  74,  97,  120, 141, 161, 180, 197, 212,
                                            224, 235, 244, 250, 253, 255, 253, 250, 244, 235, 224,
                                            212, 197, 180, 161, 141, 120, 97,  74,  49,  24};
static_assert(std::size(k_vibrato_tab) == k_vibrato_steps);

#endif
