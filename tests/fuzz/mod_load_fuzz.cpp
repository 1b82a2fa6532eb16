// Feeds arbitrary bytes to the module reader through a file. Whatever loads must save,
// load again, and save again to the very same bytes, and then play for a moment in song
// and pattern mode without leaving the engine's buffers.
#include "vxa_mod.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

std::string scratchPath(const char *name)
{
    return "/tmp/vxa_fuzz_" + std::to_string(getpid()) + "_" + name;
}

bool writeFile(const std::string &path, const uint8_t *data, size_t size)
{
    FILE *file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    const bool ok = std::fwrite(data, 1, size, file) == size;
    return std::fclose(file) == 0 && ok;
}

std::string readFile(const std::string &path)
{
    std::string bytes;
    if (FILE *file = std::fopen(path.c_str(), "rb")) {
        char buffer[4096];
        size_t got;
        while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
            bytes.append(buffer, got);
        std::fclose(file);
    }
    return bytes;
}

void check(bool condition)
{
    if (!condition)
        std::abort();
}

// A few thousand frames in odd buffer sizes, starting at a row taken from the input.
void playBriefly(vxa_mod *mod, int32_t mode, int32_t row)
{
    static float out[2 * 2048];
    vxa_mod_play_mode_at(mod, mode, 0, row);
    for (int32_t frames : {1, 881, 2048, 3, 1500}) {
        vxa_mod_render(mod, out, frames);
        for (int32_t i = 0; i < 2 * frames; ++i)
            check(out[i] >= -1.0f && out[i] < 1.0f);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const std::string input = scratchPath("in.mod");
    static const std::string first = scratchPath("first.mod");
    static const std::string second = scratchPath("second.mod");
    if (!writeFile(input, data, size))
        return 0;
    vxa_mod *mod = vxa_mod_create(44100);
    if (vxa_mod_load(mod, input.c_str()) == 0) {
        check(vxa_mod_save(mod, first.c_str()) == 0);
        check(vxa_mod_load(mod, first.c_str()) == 0);
        check(vxa_mod_save(mod, second.c_str()) == 0);
        check(readFile(first) == readFile(second));
        const int32_t row = size > 0 ? data[size - 1] % 64 : 0;
        playBriefly(mod, 0, row);
        playBriefly(mod, 1, row);
    }
    vxa_mod_destroy(mod);
    return 0;
}
