// A failed save step; its text is what the user reads in the notice. Also the texts of a
// failed sample load.
#pragma once

#include "vxa_mod_extras.h"

#include <stdexcept>
#include <string>

namespace vexa {

class VexaIOError : public std::runtime_error {
public:
    explicit VexaIOError(const std::string &message) : std::runtime_error(message) {}
    std::string errorDescription() const { return what(); }
};

inline constexpr const char *kNoModuleText = "No module loaded.";
inline constexpr const char *kSaveModuleFailedText = "Could not save module.";
inline constexpr const char *kNoFreeVersionText = "Could not pick a free version name.";
inline constexpr const char *kSaveSampleFailedText = "Could not save sample.";

// A refused sample file: "Failed to load sample." and on its own line why, in the user's
// words.
std::string sampleLoadFailure(vxa_sample_status status);

// A failed file write: `failedText` (such as "Could not save module."), then on its own
// line why, in the user's words.
VexaIOError writeFailure(const char *failedText, vxa_write_status status);

} // namespace vexa
