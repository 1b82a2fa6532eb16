/* file_read.h - reading a whole file for the engine's loaders. */
#ifndef VXA_FILE_READ_H
#define VXA_FILE_READ_H

#include <cstddef>
#include <cstdint>

/* What a loader does with a file longer than it can use. */
enum vx_excess { vx_excess_refused, vx_excess_ignored };

/* Reads a regular file into one malloc'ed buffer the caller frees: the whole file, or
 * with vx_excess_ignored its first `limit` bytes. Returns null when the file cannot be
 * opened, is not a regular file, is shorter than `min_size`, is longer than `limit`
 * with vx_excess_refused, or memory or the read runs short. */
uint8_t *vx_file_read(const char *path, size_t min_size, size_t limit, vx_excess excess,
                      size_t *size_out);

#endif
