/* file_io.cpp - whole-file reading and all-or-nothing file writing.
 *
 * Saving over a file the user already has must never lose it: bytes go to a temporary
 * file in the target's folder (so the final rename stays on one file system) and only
 * a complete, flushed file replaces the target. */
#include "file_io.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace {

constexpr int k_temp_name_tries = 100;
constexpr const char k_temp_suffix[] = ".vxtmp";

char *copy_text(const char *text)
{
    const size_t size = std::strlen(text) + 1;
    auto *copy = static_cast<char *>(std::malloc(size));
    if (copy)
        std::memcpy(copy, text, size);
    return copy;
}

/* Creates a temporary file that did not exist before ("x": exclusive create). */
FILE *open_fresh_temp(const char *target, char **temp_out)
{
    const size_t size = std::strlen(target) + sizeof k_temp_suffix + 4;
    auto *temp = static_cast<char *>(std::malloc(size));
    if (!temp)
        return nullptr;
    for (int n = 0; n < k_temp_name_tries; ++n) {
        std::snprintf(temp, size, "%s%s%d", target, k_temp_suffix, n);
        if (FILE *file = std::fopen(temp, "wbx")) {
            *temp_out = temp;
            return file;
        }
    }
    std::free(temp);
    return nullptr;
}

void release(vx_safe_file *sf)
{
    std::free(sf->temp_path);
    std::free(sf->target);
    *sf = vx_safe_file{};
}

} // namespace

uint8_t *vx_file_read_all(const char *path, size_t min_size, size_t max_size, size_t *size_out)
{
    FILE *file = std::fopen(path, "rb");
    if (!file)
        return nullptr;
    uint8_t *buffer = nullptr;
    long size = -1;
    if (std::fseek(file, 0, SEEK_END) == 0)
        size = std::ftell(file);
    const bool sized = size >= 0 && static_cast<size_t>(size) >= min_size &&
                       static_cast<size_t>(size) <= max_size && std::fseek(file, 0, SEEK_SET) == 0;
    if (sized && size > 0)
        buffer = static_cast<uint8_t *>(std::malloc(static_cast<size_t>(size)));
    if (buffer &&
        std::fread(buffer, 1, static_cast<size_t>(size), file) != static_cast<size_t>(size)) {
        std::free(buffer);
        buffer = nullptr;
    }
    std::fclose(file);
    if (buffer)
        *size_out = static_cast<size_t>(size);
    return buffer;
}

int32_t vx_safe_open(vx_safe_file *out, const char *target)
{
    *out = vx_safe_file{};
    out->target = copy_text(target);
    if (out->target)
        out->file = open_fresh_temp(target, &out->temp_path);
    if (!out->file) {
        release(out);
        return -1;
    }
    return 0;
}

void vx_safe_write(vx_safe_file *sf, const void *bytes, size_t count)
{
    if (sf->failed || count == 0)
        return;
    if (std::fwrite(bytes, 1, count, sf->file) != count)
        sf->failed = true;
}

int32_t vx_safe_commit(vx_safe_file *sf)
{
    bool ok = !sf->failed && std::fflush(sf->file) == 0 && !std::ferror(sf->file);
    ok = std::fclose(sf->file) == 0 && ok;
    if (ok) {
        std::error_code error;
        std::filesystem::rename(sf->temp_path, sf->target, error);
        ok = !error;
    }
    if (!ok)
        std::remove(sf->temp_path);
    release(sf);
    return ok ? 0 : -1;
}
