/* file_writer.cpp - files written all or nothing (vxa_mod_extras.h).
 *
 * Saving must never lose a file the user already has: the bytes go to a temporary file
 * with a short unique name in the target's folder (so the final step stays on one file
 * system, and a name as long as the folder allows still fits), and only a complete file
 * takes the target's name: by a rename that replaces the target, or by a hard link that
 * fails when the name is taken, so two saves racing for one name never overwrite each
 * other. A failure is kept (sticky) so callers write straight through and check once.
 * Only the standard library is used: <filesystem> for the checks and the final step,
 * <cstdio> for the bytes, and the portable error conditions (std::errc) for the reasons. */
#include "vxa_mod_extras.h"

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <system_error>

namespace fs = std::filesystem;

struct vxa_file_writer {
    std::FILE *file;         /* the open temporary file; null once closed */
    bool created;            /* the temporary file exists */
    vxa_write_status status; /* the first failure; VXA_WRITE_OK until then */
    vxa_write_mode mode;
    fs::path target;
    fs::path temp;
};

namespace {

constexpr int k_temp_name_tries = 100;
constexpr char k_temp_prefix[] = ".vxa"; /* hidden, so folder listings skip it */
constexpr int k_temp_random_chars = 6;
constexpr char k_temp_alphabet[] = "0123456789abcdefghijklmnopqrstuvwxyz";
constexpr fs::perms k_write_bits =
    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;

vxa_write_status status_of(const std::error_code &error)
{
    if (error == std::errc::file_exists)
        return VXA_WRITE_EXISTS;
    if (error == std::errc::permission_denied || error == std::errc::operation_not_permitted)
        return VXA_WRITE_NO_PERMISSION;
    if (error == std::errc::read_only_file_system)
        return VXA_WRITE_READ_ONLY_DISK;
    if (error == std::errc::no_space_on_device)
        return VXA_WRITE_DISK_FULL;
#ifdef EDQUOT
    /* A spent disk quota has no portable name; where the system names it, the disk is
     * full for this user. */
    if (error == std::error_condition(EDQUOT, std::generic_category()))
        return VXA_WRITE_DISK_FULL;
#endif
    if (error == std::errc::file_too_large)
        return VXA_WRITE_TOO_LARGE;
    if (error == std::errc::filename_too_long)
        return VXA_WRITE_NAME_TOO_LONG;
    if (error == std::errc::no_such_file_or_directory || error == std::errc::not_a_directory)
        return VXA_WRITE_NO_FOLDER;
    if (error == std::errc::is_a_directory)
        return VXA_WRITE_IS_FOLDER;
    return VXA_WRITE_FAILED;
}

/* The reason for a failed <cstdio> call, which reports it in errno (POSIX and the
 * Windows runtime both set it; 0 gives the general failure). */
vxa_write_status status_of_errno()
{
    return status_of(std::error_code(errno, std::generic_category()));
}

/* Whether the existing file `target` may be replaced: a read-only file is refused even
 * where the folder would let a rename replace it, and even for a user whom nothing
 * stops, so its write bits are checked as well as an open for update. */
vxa_write_status check_replaceable(const fs::path &target, const fs::file_status &status)
{
    errno = 0;
    std::FILE *probe = std::fopen(target.string().c_str(), "r+b");
    if (!probe) {
        const std::error_code error(errno, std::generic_category());
        return error == std::errc::read_only_file_system ? VXA_WRITE_READ_ONLY_DISK
                                                         : VXA_WRITE_READ_ONLY;
    }
    std::fclose(probe);
    return (status.permissions() & k_write_bits) == fs::perms::none ? VXA_WRITE_READ_ONLY
                                                                    : VXA_WRITE_OK;
}

/* Whether `target` may take the new file, and the permissions of a file it replaces
 * (fs::perms::unknown when there is none). A missing folder is reported by the create. */
vxa_write_status check_target(const fs::path &target, vxa_write_mode mode, fs::perms *permissions)
{
    *permissions = fs::perms::unknown;
    std::error_code error;
    const fs::file_status status = fs::status(target, error);
    if (status.type() == fs::file_type::not_found)
        return VXA_WRITE_OK;
    if (error)
        return status_of(error);
    if (status.type() == fs::file_type::directory)
        return VXA_WRITE_IS_FOLDER;
    if (status.type() != fs::file_type::regular)
        return VXA_WRITE_NOT_A_FILE;
    if (mode == VXA_WRITE_EXCLUSIVE)
        return VXA_WRITE_EXISTS;
    const vxa_write_status replaceable = check_replaceable(target, status);
    if (replaceable == VXA_WRITE_OK)
        *permissions = status.permissions();
    return replaceable;
}

/* A random temporary name: each thread draws from its own generator, seeded from the
 * system's entropy and the clock, so two processes starting together pick different
 * names and no two threads share state. */
std::string temp_name()
{
    thread_local std::mt19937_64 random(
        std::random_device{}() ^
        static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
    std::uniform_int_distribution<size_t> pick(0, sizeof k_temp_alphabet - 2);
    std::string name = k_temp_prefix;
    for (int i = 0; i < k_temp_random_chars; ++i)
        name += k_temp_alphabet[pick(random)];
    return name;
}

/* Creates a temporary file that did not exist before ("x": exclusive), unbuffered so
 * every write reaches the system at once and a failure shows where it happens. */
vxa_write_status create_temp(vxa_file_writer *w)
{
    const fs::path folder = w->target.parent_path();
    for (int attempt = 0; attempt < k_temp_name_tries; ++attempt) {
        w->temp = folder / temp_name();
        errno = 0;
        w->file = std::fopen(w->temp.string().c_str(), "wbx");
        w->created = w->file != nullptr;
        if (w->created)
            return std::setvbuf(w->file, nullptr, _IONBF, 0) == 0 ? VXA_WRITE_OK : VXA_WRITE_FAILED;
        const vxa_write_status failed = status_of_errno();
        if (failed != VXA_WRITE_EXISTS)
            return failed;
    }
    return VXA_WRITE_FAILED;
}

/* Starts the writer: the checks, then the temporary file. Paths are built here, where
 * running out of memory can still be reported; the later steps allocate nothing. */
vxa_write_status start_writer(vxa_file_writer *w, const char *target)
{
    w->target = target;
    fs::perms permissions = fs::perms::unknown;
    const vxa_write_status checked = check_target(w->target, w->mode, &permissions);
    if (checked != VXA_WRITE_OK)
        return checked;
    const vxa_write_status created = create_temp(w);
    /* A replaced file keeps its permissions; file systems without them keep their own. */
    if (created == VXA_WRITE_OK && permissions != fs::perms::unknown) {
        std::error_code ignored;
        fs::permissions(w->temp, permissions, fs::perm_options::replace, ignored);
    }
    return created;
}

/* Closes and frees the writer; the temporary file goes unless it became the target. */
void end_writer(vxa_file_writer *w)
{
    if (w->file)
        std::fclose(w->file);
    if (w->created && w->status != VXA_WRITE_OK) {
        std::error_code ignored;
        fs::remove(w->temp, ignored);
    }
    delete w;
}

/* Gives the complete temporary file the target's name. */
vxa_write_status publish(const vxa_file_writer *w)
{
    std::error_code error;
    if (w->mode == VXA_WRITE_REPLACE) {
        fs::rename(w->temp, w->target, error);
        return error ? status_of(error) : VXA_WRITE_OK;
    }
    fs::create_hard_link(w->temp, w->target, error);
    if (error)
        return status_of(error);
    fs::remove(w->temp, error);
    return VXA_WRITE_OK;
}

/* Writes all `count` bytes at the stream's position, keeping the first failure. */
void write_bytes(vxa_file_writer *w, const void *bytes, size_t count)
{
    errno = 0;
    if (std::fwrite(bytes, 1, count, w->file) != count)
        w->status = status_of_errno();
}

} // namespace

vxa_write_status vxa_mod_writer_open(vxa_file_writer **out, const char *target, vxa_write_mode mode)
{
    if (!out)
        return VXA_WRITE_FAILED;
    *out = nullptr;
    if (!target)
        return VXA_WRITE_FAILED;
    vxa_file_writer *w = nullptr;
    try {
        w = new vxa_file_writer{};
        w->mode = mode;
        w->status = start_writer(w, target);
    } catch (const std::exception &) {
        if (!w)
            return VXA_WRITE_FAILED;  /* memory ran short */
        w->status = VXA_WRITE_FAILED; /* memory ran short, or no randomness to be had */
    }
    if (w->status != VXA_WRITE_OK) {
        const vxa_write_status failed = w->status;
        end_writer(w);
        return failed;
    }
    *out = w;
    return VXA_WRITE_OK;
}

void vxa_mod_writer_write(vxa_file_writer *w, const void *bytes, size_t count)
{
    if (w && bytes && w->status == VXA_WRITE_OK)
        write_bytes(w, bytes, count);
}

void vxa_mod_writer_write_at(vxa_file_writer *w, uint64_t offset, const void *bytes, size_t count)
{
    if (!w || !bytes || w->status != VXA_WRITE_OK)
        return;
    /* The standard seek takes a long, which is 32 bits on some systems. */
    if (offset > static_cast<uint64_t>(LONG_MAX)) {
        w->status = VXA_WRITE_TOO_LARGE;
        return;
    }
    errno = 0;
    if (std::fseek(w->file, static_cast<long>(offset), SEEK_SET) != 0) {
        w->status = status_of_errno();
        return;
    }
    write_bytes(w, bytes, count);
    /* Later appends go on at the end, as they would had this write not moved the
     * position. */
    errno = 0;
    if (w->status == VXA_WRITE_OK && std::fseek(w->file, 0, SEEK_END) != 0)
        w->status = status_of_errno();
}

vxa_write_status vxa_mod_writer_commit(vxa_file_writer *w)
{
    if (!w)
        return VXA_WRITE_FAILED;
    /* Some file systems report a full disk only when the file is closed. */
    errno = 0;
    const int closed = std::fclose(w->file);
    w->file = nullptr;
    if (w->status == VXA_WRITE_OK && closed != 0)
        w->status = status_of_errno();
    if (w->status == VXA_WRITE_OK)
        w->status = publish(w);
    const vxa_write_status result = w->status;
    end_writer(w);
    return result;
}

void vxa_mod_writer_discard(vxa_file_writer *w)
{
    if (!w)
        return;
    w->status = VXA_WRITE_FAILED;
    end_writer(w);
}

vxa_write_status vxa_mod_write_file(const char *target, const void *bytes, size_t count,
                                    vxa_write_mode mode)
{
    vxa_file_writer *writer = nullptr;
    const vxa_write_status opened = vxa_mod_writer_open(&writer, target, mode);
    if (opened != VXA_WRITE_OK)
        return opened;
    vxa_mod_writer_write(writer, bytes, count);
    return vxa_mod_writer_commit(writer);
}
