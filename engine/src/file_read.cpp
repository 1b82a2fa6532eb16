/* file_read.cpp - reading a whole file for the engine's loaders.
 *
 * Loading must neither hang nor run out of memory whatever the user picks: the file is
 * opened without waiting (a named pipe would otherwise block until a writer comes) and
 * taken only when it is a regular file, and no more is read than a loader can use. The
 * open and the type check use the POSIX calls, as standard C has no way to open
 * without waiting. */
#include "file_read.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

/* A descriptor of the regular file at `path` and its size, or -1. */
int open_regular_file(const char *path, uint64_t *size)
{
    const int fd = open(path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return -1;
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size < 0) {
        close(fd);
        return -1;
    }
    *size = static_cast<uint64_t>(info.st_size);
    return fd;
}

/* False when fewer than `count` bytes arrive (the file shrank, or the read failed). */
bool read_fully(int fd, uint8_t *buffer, size_t count)
{
    for (size_t done = 0; done < count;) {
        const ssize_t got = read(fd, buffer + done, count - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        done += static_cast<size_t>(got);
    }
    return true;
}

} // namespace

uint8_t *vx_file_read(const char *path, size_t min_size, size_t limit, vx_excess excess,
                      size_t *size_out)
{
    uint64_t file_size = 0;
    const int fd = open_regular_file(path, &file_size);
    if (fd < 0)
        return nullptr;
    const bool too_long = file_size > limit;
    const size_t size = too_long ? limit : static_cast<size_t>(file_size);
    uint8_t *buffer = nullptr;
    if (size >= min_size && size > 0 && !(too_long && excess == vx_excess_refused))
        buffer = static_cast<uint8_t *>(std::malloc(size));
    if (buffer && !read_fully(fd, buffer, size)) {
        std::free(buffer);
        buffer = nullptr;
    }
    close(fd);
    if (buffer)
        *size_out = size;
    return buffer;
}
