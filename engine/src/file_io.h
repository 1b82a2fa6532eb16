/* file_io.h - whole-file reading and all-or-nothing file writing for the engine's
 * loaders and savers. */
#ifndef VXA_FILE_IO_H
#define VXA_FILE_IO_H

#include <cstddef>
#include <cstdint>
#include <cstdio>

/* Reads a whole file into one malloc'ed buffer the caller frees. Returns null when the
 * file cannot be opened or read, its size lies outside [min_size, max_size], or memory
 * runs out. */
uint8_t *vx_file_read_all(const char *path, size_t min_size, size_t max_size, size_t *size_out);

/* A write that replaces its target only when every byte arrived. The bytes go to a
 * new temporary file beside the target, which is renamed over the target on commit;
 * on any failure the temporary file is removed and the target is left untouched. */
struct vx_safe_file {
    FILE *file;
    bool failed;
    char *temp_path; /* malloc'ed */
    char *target;    /* malloc'ed copy */
};

/* 0 when the temporary file is open for writing, -1 otherwise (nothing left behind). */
int32_t vx_safe_open(vx_safe_file *out, const char *target);
void vx_safe_write(vx_safe_file *sf, const void *bytes, size_t count);
/* Flushes, closes and renames over the target; 0 on success, -1 on any failure. */
int32_t vx_safe_commit(vx_safe_file *sf);

#endif
