// What the end-to-end tests share: the display they run on and the folder that keeps
// their screenshots and logs.
#pragma once

#include "desktop_session.h"

#include <filesystem>
#include <optional>
#include <string>

namespace vxtest {

// Why the tests cannot run: Xvfb did not start.
const std::optional<std::string> &desktopFailure();
std::filesystem::path artifactFolder();

} // namespace vxtest
