/* wave_reader.h - the sound of a RIFF WAVE file, as a slot's signed 8-bit mono bytes. */
#ifndef VXA_WAVE_READER_H
#define VXA_WAVE_READER_H

#include "byte_reader.h"

#include <cstddef>
#include <cstdint>

/* Where a WAVE file's sound lies and how it is stored. */
struct vx_wave {
    vx_reader sound;      /* the data chunk's bytes inside the file */
    size_t frames;        /* whole frames in them */
    uint32_t channels;    /* values per frame, 1 or more */
    uint32_t value_bytes; /* 1..4 */
    bool is_float;        /* 32-bit IEEE float values, else integers */
    /* The first loop of a "smpl" chunk, in frames: [loop_start, loop_end); an empty
     * range when the file has none. */
    uint64_t loop_start;
    uint64_t loop_end;
};

/* Whether the bytes are read as a WAVE file: at least 44 bytes, beginning "RIFF".
 * Anything else is raw sample data. */
bool vx_wave_is_riff(const vx_reader &file);

/* Reads the chunks of a RIFF file. False when its format chunk names a form that cannot
 * be converted. */
bool vx_wave_parse(const vx_reader &file, vx_wave *out);

/* Converts the first `frames` frames (at most wave.frames) into one signed byte each. */
void vx_wave_convert(const vx_wave &wave, size_t frames, int8_t *out);

#endif
