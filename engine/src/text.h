/* text.h - the module's fixed-width texts (title, sample names). */
#ifndef VXA_TEXT_H
#define VXA_TEXT_H

#include <cstddef>

/* Copies `width` padded bytes into `out` (width + 1 chars): every NUL becomes a space,
 * then trailing spaces are removed, so embedded NULs read as spaces. A null `bytes`
 * gives the empty string. */
void vx_text_from_padded(char *out, const unsigned char *bytes, size_t width);

/* Writes `text` into `width` bytes, up to its NUL and at most `width` characters, the
 * rest zero. */
void vx_text_to_padded(unsigned char *out, const char *text, size_t width);

#endif
