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

constexpr int kBytesPerMiB = 1024 * 1024;

std::string sampleLoadReason(vxa_sample_status status)
{
    switch (status) {
    case VXA_SAMPLE_TOO_LARGE:
        return "The file is larger than " +
               std::to_string(VXA_MOD_MAX_SAMPLE_FILE_BYTES / kBytesPerMiB) + " MiB.";
    case VXA_SAMPLE_NO_SOUND:
        return "The file holds no sound.";
    case VXA_SAMPLE_WAV_FORMAT:
        return "This WAV format cannot be read. Readable WAV files are uncompressed 8-, 16-, "
               "24- or 32-bit PCM or 32-bit float, with any number of channels.";
    default:
        return "The file cannot be read.";
    }
}

} // namespace

std::string sampleLoadFailure(vxa_sample_status status)
{
    return "Failed to load sample.\n" + sampleLoadReason(status);
}

VexaIOError writeFailure(const char *failedText, vxa_write_status status)
{
    return VexaIOError(std::string(failedText) + "\n" + reasonFor(status));
}

} // namespace vexa
