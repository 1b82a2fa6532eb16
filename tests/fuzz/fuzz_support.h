// What the fuzz targets share: failing loudly, scratch files, and rendering with a check
// that every output value stays in the engine's range.
#pragma once

#include "vxa_mod.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace vxfuzz {

inline constexpr int32_t kMaxRenderFrames = 2048;

// The harness's own checks are not instrumented for coverage: their comparisons run for
// every output value and tell libFuzzer nothing about the engine.
#define VXFUZZ_NO_COVERAGE __attribute__((no_sanitize("coverage")))

VXFUZZ_NO_COVERAGE inline void check(bool condition)
{
    if (!condition)
        std::abort();
}

// A file of this fuzz process in the temporary folder, which the fuzz script points
// into its own scratch folder.
inline std::string scratchPath(const char *name)
{
    const auto file = std::filesystem::temp_directory_path() /
                      ("vxa_fuzz_" + std::to_string(getpid()) + "_" + name);
    return file.string();
}

inline bool writeFile(const std::string &path, const uint8_t *data, size_t size)
{
    FILE *file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    const bool ok = std::fwrite(data, 1, size, file) == size;
    return std::fclose(file) == 0 && ok;
}

// Renders `frames` (1..2048) frames; every value must lie in -1.0 .. 127/128.
VXFUZZ_NO_COVERAGE inline void renderAndCheck(vxa_mod *mod, int32_t frames)
{
    static float out[2 * kMaxRenderFrames];
    vxa_mod_render(mod, out, frames);
    for (int32_t i = 0; i < 2 * frames; ++i)
        check(out[i] >= -1.0f && out[i] < 1.0f);
}

} // namespace vxfuzz
