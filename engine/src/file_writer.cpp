/* file_writer.cpp - files written all or nothing (vxa_mod_extras.h).
 *
 * Saving must never lose a file the user already has: the bytes go to a temporary file
 * with a short unique name in the target's folder (so the final step stays on one file
 * system, and a name as long as the folder allows still fits), and only a complete file
 * takes the target's name: by a rename that replaces the target, or by a hard link that
 * fails when the name is taken, so two saves racing for one name never overwrite each
 * other. A failure is kept (sticky) so callers write straight through and check once.
 * POSIX calls give the reasons for a failure (errno) and the permission checks. */
#include "vxa_mod_extras.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

struct vxa_file_writer {
    int fd;
    bool created;            /* the temporary file exists */
    vxa_write_status status; /* the first failure; VXA_WRITE_OK until then */
    vxa_write_mode mode;
    char *temp_path; /* malloc'ed */
    char *target;    /* malloc'ed copy */
};

namespace {

constexpr int k_temp_name_tries = 100;
constexpr char k_temp_prefix[] = "/.vxa"; /* hidden, so folder listings skip it */
constexpr int k_temp_random_chars = 6;
constexpr char k_temp_alphabet[] = "0123456789abcdefghijklmnopqrstuvwxyz";
constexpr mode_t k_new_file_mode = 0666; /* narrowed by the user's umask */
constexpr mode_t k_write_bits = 0222;
constexpr mode_t k_permission_bits = 07777;

vxa_write_status status_of(int error)
{
    switch (error) {
    case EEXIST:
        return VXA_WRITE_EXISTS;
    case EACCES:
    case EPERM:
        return VXA_WRITE_NO_PERMISSION;
    case EROFS:
        return VXA_WRITE_READ_ONLY_DISK;
    case ENOSPC:
    case EDQUOT:
        return VXA_WRITE_DISK_FULL;
    case EFBIG:
        return VXA_WRITE_TOO_LARGE;
    case ENAMETOOLONG:
        return VXA_WRITE_NAME_TOO_LONG;
    case ENOENT:
    case ENOTDIR:
        return VXA_WRITE_NO_FOLDER;
    case EISDIR:
        return VXA_WRITE_IS_FOLDER;
    default:
        return VXA_WRITE_FAILED;
    }
}

/* Whether `target` may take the new file, and the permissions of a file it replaces
 * (0 when there is none). A read-only file is refused even where the folder would let
 * a rename replace it, and even for a user whom nothing stops. */
vxa_write_status check_target(const char *target, vxa_write_mode mode, mode_t *permissions)
{
    *permissions = 0;
    struct stat info {};
    if (stat(target, &info) != 0)
        return errno == ENOENT ? VXA_WRITE_OK : status_of(errno);
    if (S_ISDIR(info.st_mode))
        return VXA_WRITE_IS_FOLDER;
    if (!S_ISREG(info.st_mode))
        return VXA_WRITE_NOT_A_FILE;
    if (mode == VXA_WRITE_EXCLUSIVE)
        return VXA_WRITE_EXISTS;
    if (access(target, W_OK) != 0)
        return errno == EROFS ? VXA_WRITE_READ_ONLY_DISK : VXA_WRITE_READ_ONLY;
    if ((info.st_mode & k_write_bits) == 0)
        return VXA_WRITE_READ_ONLY;
    *permissions = info.st_mode & k_permission_bits;
    return VXA_WRITE_OK;
}

/* Random enough that two processes starting together pick different names. */
uint64_t next_random()
{
    static std::atomic<uint64_t> counter{0};
    const auto now =
        static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    uint64_t x = counter.fetch_add(1) ^ static_cast<uint64_t>(getpid()) << 32 ^ now;
    /* splitmix64: spreads every input bit over the whole word */
    x += 0x9E3779B97F4A7C15u;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9u;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBu;
    return x ^ (x >> 31);
}

char *copy_text(const char *text)
{
    const size_t size = std::strlen(text) + 1;
    auto *copy = static_cast<char *>(std::malloc(size));
    if (copy)
        std::memcpy(copy, text, size);
    return copy;
}

/* "folder/.vxa" followed by the random characters, in the target's folder ("." when
 * the target names none). */
char *temp_path_for(const char *target)
{
    const char *slash = std::strrchr(target, '/');
    const char *folder = slash ? target : ".";
    const size_t folder_length = slash ? static_cast<size_t>(slash - target) : 1;
    const size_t size = folder_length + sizeof k_temp_prefix + k_temp_random_chars;
    auto *path = static_cast<char *>(std::malloc(size));
    if (!path)
        return nullptr;
    std::memcpy(path, folder, folder_length);
    std::memcpy(path + folder_length, k_temp_prefix, sizeof k_temp_prefix);
    return path;
}

/* Creates a temporary file that did not exist before (O_EXCL). */
vxa_write_status create_temp(vxa_file_writer *w)
{
    const size_t random_at = std::strlen(w->temp_path);
    for (int attempt = 0; attempt < k_temp_name_tries; ++attempt) {
        uint64_t bits = next_random();
        for (int i = 0; i < k_temp_random_chars; ++i, bits /= sizeof k_temp_alphabet - 1)
            w->temp_path[random_at + i] = k_temp_alphabet[bits % (sizeof k_temp_alphabet - 1)];
        w->temp_path[random_at + k_temp_random_chars] = '\0';
        w->fd = open(w->temp_path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, k_new_file_mode);
        w->created = w->fd >= 0;
        if (w->created)
            return VXA_WRITE_OK;
        if (errno != EEXIST)
            return status_of(errno);
    }
    return VXA_WRITE_FAILED;
}

/* Closes and frees the writer; the temporary file goes unless it became the target. */
void end_writer(vxa_file_writer *w)
{
    if (w->fd >= 0)
        close(w->fd);
    if (w->created && w->status != VXA_WRITE_OK)
        unlink(w->temp_path);
    std::free(w->temp_path);
    std::free(w->target);
    std::free(w);
}

/* Gives the complete temporary file the target's name. */
vxa_write_status publish(const vxa_file_writer *w)
{
    if (w->mode == VXA_WRITE_REPLACE)
        return rename(w->temp_path, w->target) == 0 ? VXA_WRITE_OK : status_of(errno);
    if (link(w->temp_path, w->target) != 0)
        return status_of(errno);
    unlink(w->temp_path);
    return VXA_WRITE_OK;
}

} // namespace

vxa_write_status vxa_mod_writer_open(vxa_file_writer **out, const char *target, vxa_write_mode mode)
{
    if (!out)
        return VXA_WRITE_FAILED;
    *out = nullptr;
    if (!target)
        return VXA_WRITE_FAILED;
    mode_t permissions = 0;
    const vxa_write_status checked = check_target(target, mode, &permissions);
    if (checked != VXA_WRITE_OK)
        return checked;
    auto *w = static_cast<vxa_file_writer *>(std::calloc(1, sizeof(vxa_file_writer)));
    if (!w)
        return VXA_WRITE_FAILED;
    w->fd = -1;
    w->mode = mode;
    w->target = copy_text(target);
    w->temp_path = temp_path_for(target);
    w->status = w->target && w->temp_path ? create_temp(w) : VXA_WRITE_FAILED;
    if (w->status != VXA_WRITE_OK) {
        const vxa_write_status failed = w->status;
        end_writer(w);
        return failed;
    }
    /* A replaced file keeps its permissions; file systems without them keep their own. */
    if (permissions != 0)
        static_cast<void>(fchmod(w->fd, permissions));
    *out = w;
    return VXA_WRITE_OK;
}

void vxa_mod_writer_write(vxa_file_writer *w, const void *bytes, size_t count)
{
    if (!w || !bytes)
        return;
    const auto *from = static_cast<const uint8_t *>(bytes);
    for (size_t done = 0; done < count && w->status == VXA_WRITE_OK;) {
        const ssize_t wrote = write(w->fd, from + done, count - done);
        if (wrote > 0)
            done += static_cast<size_t>(wrote);
        else if (wrote == 0 || errno != EINTR)
            w->status = wrote == 0 ? VXA_WRITE_FAILED : status_of(errno);
    }
}

void vxa_mod_writer_write_at(vxa_file_writer *w, uint64_t offset, const void *bytes, size_t count)
{
    if (!w || !bytes)
        return;
    const auto *from = static_cast<const uint8_t *>(bytes);
    for (size_t done = 0; done < count && w->status == VXA_WRITE_OK;) {
        const ssize_t wrote =
            pwrite(w->fd, from + done, count - done, static_cast<off_t>(offset + done));
        if (wrote > 0)
            done += static_cast<size_t>(wrote);
        else if (wrote == 0 || errno != EINTR)
            w->status = wrote == 0 ? VXA_WRITE_FAILED : status_of(errno);
    }
}

vxa_write_status vxa_mod_writer_commit(vxa_file_writer *w)
{
    if (!w)
        return VXA_WRITE_FAILED;
    /* Some file systems report a full disk only when the file is closed. */
    const int closed = close(w->fd);
    w->fd = -1;
    if (w->status == VXA_WRITE_OK && closed != 0)
        w->status = status_of(errno);
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
