/* file_read.cpp - reading a whole file for the engine's loaders.
 *
 * Loading must neither hang nor run out of memory whatever the user picks: only a
 * regular file is opened (a named pipe would block the open until a writer comes, a
 * device may never end), and no more is read than a loader can use. Standard C++
 * cannot open a file without waiting, so the type is checked by name before the open.
 * A file swapped for a pipe between the check and the open is the one case left: it
 * takes someone replacing the file in that instant, on purpose, in the user's own
 * folder, which no mistake of the user's does, and whoever can do that can already
 * harm the user's files more directly. */
#include "file_read.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace {

/* The size in bytes of the regular file at `path`; false for anything else or when the
 * system cannot tell. */
bool regular_file_size(const char *path, uint64_t *size)
{
    try {
        const std::filesystem::path file(path);
        std::error_code error;
        if (!std::filesystem::is_regular_file(std::filesystem::status(file, error)))
            return false;
        *size = std::filesystem::file_size(file, error);
        return !error;
    } catch (const std::exception &) {
        return false; /* the path itself could not be held in memory */
    }
}

/* Reads `size` bytes from the start of the file; null when the open or the memory
 * fails or fewer bytes arrive (the file shrank meanwhile). */
uint8_t *read_start(const char *path, size_t size)
{
    std::FILE *file = std::fopen(path, "rb");
    if (!file)
        return nullptr;
    auto *buffer = static_cast<uint8_t *>(std::malloc(size));
    if (buffer && std::fread(buffer, 1, size, file) != size) {
        std::free(buffer);
        buffer = nullptr;
    }
    std::fclose(file);
    return buffer;
}

} // namespace

vx_file_bytes vx_file_read(const char *path, size_t min_size, size_t limit, vx_excess excess)
{
    uint64_t file_size = 0;
    if (!regular_file_size(path, &file_size))
        return {nullptr, 0, vx_read_failed};
    const bool too_long = file_size > limit;
    if (too_long && excess == vx_excess_refused)
        return {nullptr, 0, vx_read_too_long};
    const size_t size = too_long ? limit : static_cast<size_t>(file_size);
    if (size < min_size || size == 0)
        return {nullptr, 0, vx_read_too_short};
    uint8_t *bytes = read_start(path, size);
    return bytes ? vx_file_bytes{bytes, size, vx_read_ok}
                 : vx_file_bytes{nullptr, 0, vx_read_failed};
}
