// Versioned save names: a tag "(VXv" n ")" at the end of a file's stem and of a stamped
// module title, so saves never overwrite an earlier file. Also the file types the open
// dialogs accept.
#pragma once

#include "app_tables.h"

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace vexa {

// `original` (or `fallback` when empty) with any old tag and up to two module and two
// sample suffixes removed, cut to whole UTF-8 characters so that the new tag still fits
// in the title's 20 bytes.
std::string stampVersion(const std::string &original, int version, const std::string &fallback);

// `text` without its first version tag, in any letter case, wherever it stands.
std::string withoutVersionTag(const std::string &text);

// An upper-case file stem of letters, digits, "_" and "-", at most 32 characters,
// without a version tag or file suffix; "MODULE" when nothing is left.
std::string sanitizedStem(const std::string &text);

// The first free "stem(VXv n).ext" in `directory` above every version already there,
// with its n; throws VexaIOError when no version below 10000 is free.
std::pair<std::filesystem::path, int> nextVersionedURL(const std::filesystem::path &directory,
                                                       const std::string &stem,
                                                       const std::string &ext);

// "directory/stem(VXv version).ext".
std::filesystem::path versionedURL(const std::filesystem::path &directory, const std::string &stem,
                                   const std::string &ext, int version);

// File name extensions the open dialogs accept, in order.
const std::vector<std::string> &moduleFileTypes();
const std::vector<std::string> &sampleFileTypes();

} // namespace vexa
