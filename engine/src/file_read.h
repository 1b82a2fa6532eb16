/* file_read.h - reading a whole file for the engine's loaders. */
#ifndef VXA_FILE_READ_H
#define VXA_FILE_READ_H

#include <cstddef>
#include <cstdint>

/* What a loader does with a file longer than it can use. */
enum vx_excess { vx_excess_refused, vx_excess_ignored };

/* Why a file was not read. */
enum vx_read_status {
    vx_read_ok,
    vx_read_failed,    /* missing, not a regular file, unreadable, or memory ran short */
    vx_read_too_short, /* shorter than the loader's least size */
    vx_read_too_long   /* longer than the limit, with vx_excess_refused */
};

/* A file's bytes in one malloc'ed buffer the caller frees; null unless vx_read_ok. */
struct vx_file_bytes {
    uint8_t *bytes;
    size_t size;
    vx_read_status status;
};

/* Reads the regular file at `path`: the whole file, or with vx_excess_ignored its first
 * `limit` bytes. A file of fewer than `min_size` bytes (or none) is too short. */
vx_file_bytes vx_file_read(const char *path, size_t min_size, size_t limit, vx_excess excess);

#endif
