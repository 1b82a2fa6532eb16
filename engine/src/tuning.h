/* tuning.h - periods with finetune: a note's period in one of the 16 tuned tables, and
 * the way back from a period to a note of such a table. */
#ifndef VXA_TUNING_H
#define VXA_TUNING_H

#include <cstdint>

/* The period of note 1..36 in the table of a finetune nibble (0..15). */
uint16_t vx_tuning_period(uint8_t finetune, int note);

/* The period `semitones` (0..15) above the note a period stands for: that note is the
 * first of the finetune's table at or above the period's pitch (a period below the
 * whole table stands for its last note), and the result stops at the table's last note,
 * B-3. 0 for period 0, which plays nothing. */
uint16_t vx_tuning_shift(uint8_t finetune, uint16_t period, int semitones);

#endif
