#include "vexa_io_error.h"

namespace vexa {

namespace {

const char *reasonFor(vxa_write_status status)
{
    switch (status) {
    case VXA_WRITE_EXISTS:
        return "A file with this name already exists.";
    case VXA_WRITE_READ_ONLY:
        return "The file is read-only.";
    case VXA_WRITE_NO_PERMISSION:
        return "You may not write in this folder.";
    case VXA_WRITE_READ_ONLY_DISK:
        return "The disk is read-only.";
    case VXA_WRITE_DISK_FULL:
        return "The disk is full.";
    case VXA_WRITE_TOO_LARGE:
        return "The file is too large for the disk.";
    case VXA_WRITE_NAME_TOO_LONG:
        return "The file name is too long.";
    case VXA_WRITE_NO_FOLDER:
        return "The folder does not exist.";
    case VXA_WRITE_IS_FOLDER:
        return "A folder has this name.";
    case VXA_WRITE_NOT_A_FILE:
        return "Something other than a file has this name.";
    default:
        return "The file could not be written.";
    }
}

} // namespace

VexaIOError writeFailure(const char *failedText, vxa_write_status status)
{
    return VexaIOError(std::string(failedText) + "\n" + reasonFor(status));
}

} // namespace vexa
