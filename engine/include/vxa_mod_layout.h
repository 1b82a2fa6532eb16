/* vxa_mod_layout.h - where everything lies in a four-channel MOD file.
 *
 * Shared by the engine's reader and writer and by every tool that builds module files
 * byte by byte, so the format is described once. Outside the fixed interface of
 * vxa_mod.h; usable from C11 and C++. All sizes and offsets are in bytes; the file's
 * 16-bit numbers are big-endian and count 2-byte words.
 *
 * A file holds, in order: the title, one header per sample slot (31, or 15 in the
 * older form), the song length, the restart position, the order table, the signature
 * (31-sample form only), the patterns, then each slot's sample data. */
#ifndef VXA_MOD_LAYOUT_H
#define VXA_MOD_LAYOUT_H

#define VXA_MOD_TITLE_BYTES 20
#define VXA_MOD_SLOTS 31     /* sample headers of the form the engine writes */
#define VXA_MOD_OLD_SLOTS 15 /* sample headers of the older form, which has no signature */
#define VXA_MOD_ORDERS 128
#define VXA_MOD_MAX_PATTERNS 128
#define VXA_MOD_CHANNELS 4
#define VXA_MOD_ROWS 64
#define VXA_MOD_CELL_BYTES 4
#define VXA_MOD_PATTERN_BYTES (VXA_MOD_ROWS * VXA_MOD_CHANNELS * VXA_MOD_CELL_BYTES) /* 1024 */

/* One sample header: name, length, finetune, volume and loop, by offset inside it. */
#define VXA_MOD_SAMPLE_HEADER_BYTES 30
#define VXA_MOD_SAMPLE_NAME_BYTES 22
#define VXA_MOD_SAMPLE_LENGTH_AT 22      /* words */
#define VXA_MOD_SAMPLE_FINETUNE_AT 24    /* low nibble */
#define VXA_MOD_SAMPLE_VOLUME_AT 25      /* 0..64 */
#define VXA_MOD_SAMPLE_LOOP_START_AT 26  /* words */
#define VXA_MOD_SAMPLE_LOOP_LENGTH_AT 28 /* words; 0 or 1 = no loop */
#define VXA_MOD_NO_LOOP_WORDS 1          /* what the writer stores for no loop */
/* The longest sample a length word can describe: 65535 words. */
#define VXA_MOD_MAX_SAMPLE_BYTES (65535 * 2)

/* The song and the patterns, for a file of `slots` (31 or 15) sample headers:
 * 20 + 31 x 30 = 950 or 20 + 15 x 30 = 470 for the song length, the restart position
 * one byte later, and the 128 orders from 952 or 472. */
#define VXA_MOD_HEADERS_AT VXA_MOD_TITLE_BYTES
#define VXA_MOD_SONG_LENGTH_AT(slots) (VXA_MOD_HEADERS_AT + (slots)*VXA_MOD_SAMPLE_HEADER_BYTES)
#define VXA_MOD_RESTART_AT(slots) (VXA_MOD_SONG_LENGTH_AT(slots) + 1)
#define VXA_MOD_ORDERS_AT(slots) (VXA_MOD_SONG_LENGTH_AT(slots) + 2)

/* The 31-sample form's signature follows the orders, at 1080; its patterns at 1084.
 * The older form has no signature; its patterns follow the orders, at 600. */
#define VXA_MOD_SIGNATURE "M.K."
#define VXA_MOD_SIGNATURE_BYTES 4
#define VXA_MOD_SIGNATURE_AT (VXA_MOD_ORDERS_AT(VXA_MOD_SLOTS) + VXA_MOD_ORDERS)
#define VXA_MOD_PATTERNS_AT (VXA_MOD_SIGNATURE_AT + VXA_MOD_SIGNATURE_BYTES)
#define VXA_MOD_OLD_PATTERNS_AT (VXA_MOD_ORDERS_AT(VXA_MOD_OLD_SLOTS) + VXA_MOD_ORDERS)

/* No module needs more than its header, 128 patterns and 31 of the longest samples:
 * 4,195,326 bytes. Anything after that is never part of the module. */
#define VXA_MOD_MAX_FILE_BYTES                                                                     \
    (VXA_MOD_PATTERNS_AT + VXA_MOD_MAX_PATTERNS * VXA_MOD_PATTERN_BYTES +                          \
     VXA_MOD_SLOTS * VXA_MOD_MAX_SAMPLE_BYTES)

#endif
