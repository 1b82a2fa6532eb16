// Loads arbitrary bytes as a sample file (raw, or WAV in any form, with or without a
// loop), then runs a sequence of sample edits chosen by the input's first bytes while a
// live note plays the slot. A refused file must leave the slot as it was; after every
// step a loaded slot must still describe sound that exists (an even length, and a loop,
// if any, inside it) and the mixer must keep rendering the changed slot safely.
#include "fuzz_support.h"
#include "vxa_mod_extras.h"

#include <cstdint>
#include <string>

using namespace vxfuzz;

namespace {

constexpr size_t kScriptBytes = 24; // 8 edits of 3 bytes each
// Longer sounds only make the copies of each edit longer; they reach no other code.
constexpr size_t kMaxSampleBytes = 16 * 1024;
constexpr int32_t kSlot = 7;
constexpr int32_t kEditRenderFrames = 300;

void checkSlot(const vxa_mod *mod)
{
    vxa_sample_info info{};
    if (vxa_mod_get_sample_info(mod, kSlot, &info) != 0)
        return;
    check(info.length % 2 == 0);
    if (info.loop_length >= 3) {
        check(info.loop_start % 2 == 0 && info.loop_length % 2 == 0);
        check(static_cast<uint64_t>(info.loop_start) + info.loop_length <= info.length);
    }
}

void edit(vxa_mod *mod, uint8_t op, uint8_t a, uint8_t b)
{
    const int32_t delta = static_cast<int8_t>(a);
    const uint32_t offset = static_cast<uint32_t>(a) << 8 | b;
    switch (op % 10) {
    case 0:
        vxa_mod_step_loop_start(mod, kSlot, delta);
        break;
    case 1:
        vxa_mod_step_loop_length(mod, kSlot, delta);
        break;
    case 2:
        vxa_mod_set_loop_mark_a(mod, kSlot, offset);
        break;
    case 3:
        vxa_mod_set_loop_mark_b(mod, kSlot, offset);
        break;
    case 4:
        vxa_mod_crop_sample(mod, kSlot, a, static_cast<uint32_t>(b) * 4);
        break;
    case 5:
        vxa_mod_cut_sample_head(mod, kSlot);
        break;
    case 6:
        vxa_mod_cut_sample_tail(mod, kSlot);
        break;
    case 7:
        vxa_mod_trim_sample_to_loop(mod, kSlot);
        break;
    case 8:
        vxa_mod_set_sample_volume(mod, kSlot, delta);
        break;
    default:
        vxa_mod_set_sample_name(mod, kSlot, "FUZZ");
        break;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const std::string path = scratchPath("sample");
    if (size < kScriptBytes || size - kScriptBytes > kMaxSampleBytes ||
        !writeFile(path, data + kScriptBytes, size - kScriptBytes))
        return 0;

    vxa_mod *mod = vxa_mod_create(44100);
    const vxa_sample_status status = vxa_mod_load_sample_file(mod, kSlot, path.c_str());
    vxa_sample_info info{};
    // A refused file leaves the slot, here unused, as it was.
    check((status == VXA_SAMPLE_LOADED) == (vxa_mod_get_sample_info(mod, kSlot, &info) == 0));
    if (status == VXA_SAMPLE_LOADED) {
        checkSlot(mod);
        vxa_mod_trigger(mod, 0, 1 + data[0] % 36, kSlot);
        for (size_t i = 0; i + 2 < kScriptBytes; i += 3) {
            renderAndCheck(mod, kEditRenderFrames);
            edit(mod, data[i], data[i + 1], data[i + 2]);
            checkSlot(mod);
        }
        renderAndCheck(mod, kEditRenderFrames);
    }
    vxa_mod_destroy(mod);
    return 0;
}
