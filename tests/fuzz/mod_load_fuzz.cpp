// Feeds arbitrary bytes to the module reader through a file. Whatever loads must save,
// load again, and save again to the very same bytes, then play for a moment in song and
// pattern mode and once more in the full replay mode, then take a script of transport,
// cell, live-note, sample, replay-mode and feed calls (read from the title bytes, which
// never decide whether a file loads) interleaved with short renders, all without leaving
// the engine's buffers.
#include "fuzz_support.h"
#include "vxa_mod_extras.h"

#include <cstdint>
#include <cstdio>
#include <string>

using namespace vxfuzz;

namespace {

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

// Larger inputs only add sample bytes to copy; they reach no other code.
constexpr size_t kMaxInputBytes = 64 * 1024;
// The title bytes, read as a script of calls.
constexpr size_t kScriptBytes = 20;

// Three ticks at the default tempo (882 frames each) in odd buffer sizes, starting at a
// row taken from the input: the row's own processing and two ticks of its effects. The
// script's calls render more.
void playBriefly(vxa_mod *mod, int32_t mode, int32_t row)
{
    vxa_mod_play_mode_at(mod, mode, 0, row);
    for (int32_t frames : {1, 881, 3, 1000})
        renderAndCheck(mod, frames);
}

void readFeeds(vxa_mod *mod, uint8_t arg)
{
    vxa_status status;
    vxa_mod_get_status(mod, &status);
    check(status.row >= 0 && status.row < 64);
    check(status.song_length == 0 || status.order_pos < status.song_length);
    uint8_t bytes[300];
    vxa_mod_get_spectrum(mod, bytes);
    vxa_mod_get_scope(mod, arg % 6 - 1, bytes, arg + 40);
    vxa_mod_get_sample_wave(mod, arg % 33, bytes, arg % 200);
    char name[8];
    vxa_mod_note_name(arg, name, arg % 9);
    check(vxa_mod_sample_name(mod, arg % 33) != nullptr);
}

// One call chosen by `op` with an argument byte.
void runCall(vxa_mod *mod, uint8_t op, uint8_t arg)
{
    const int32_t delta = static_cast<int8_t>(arg);
    vxa_cell cell = {static_cast<uint8_t>(arg), static_cast<uint8_t>(arg * 7),
                     static_cast<uint8_t>(arg), static_cast<uint8_t>(arg * 13)};
    switch (op % 21) {
    case 0:
        vxa_mod_step_row(mod, delta);
        break;
    case 1:
        vxa_mod_set_row(mod, delta);
        break;
    case 2:
        vxa_mod_step_order(mod, delta);
        break;
    case 3:
        vxa_mod_step_pattern(mod, delta);
        break;
    case 4:
        vxa_mod_step_length(mod, delta);
        break;
    case 5:
        vxa_mod_step_restart(mod, delta);
        break;
    case 6:
        vxa_mod_set_cell(mod, delta % 4 - 1, arg % 70, arg % 5, &cell);
        break;
    case 7:
        vxa_mod_transpose(mod, -1, delta % 5, delta % 40, arg % 38);
        break;
    case 8:
        vxa_mod_trigger(mod, arg % 5, arg % 38, arg / 7);
        break;
    case 9:
        vxa_mod_cut_channel(mod, arg % 5);
        break;
    case 10:
        vxa_mod_toggle_mute(mod, arg % 5);
        break;
    case 11:
        vxa_mod_shut_up(mod);
        break;
    case 12:
        vxa_mod_stop(mod);
        break;
    case 13:
        vxa_mod_play_mode_at(mod, arg % 3, arg & 1, delta);
        break;
    case 14:
        vxa_mod_display_tick(mod);
        break;
    case 15:
        vxa_mod_set_sample_volume(mod, arg % 33, delta);
        break;
    case 16:
        vxa_mod_step_loop_length(mod, arg % 33, delta);
        break;
    case 17:
        vxa_mod_set_loop_mark_b(mod, arg % 33, arg * 64u);
        break;
    case 18:
        vxa_mod_trim_sample_to_loop(mod, arg % 33);
        break;
    case 19:
        vxa_mod_clear_sample(mod, arg % 33);
        break;
    default:
        vxa_mod_set_replay_mode(mod, arg & 1 ? VXA_REPLAY_FULL : VXA_REPLAY_REDUCED);
        break;
    }
    readFeeds(mod, arg);
    renderAndCheck(mod, 1 + arg);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const std::string input = scratchPath("in.mod");
    static const std::string first = scratchPath("first.mod");
    static const std::string second = scratchPath("second.mod");
    if (size > kMaxInputBytes || !writeFile(input, data, size))
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
        vxa_mod_set_replay_mode(mod, VXA_REPLAY_FULL); // its flow acts in song mode
        playBriefly(mod, 0, row);
        for (size_t i = 0; i + 1 < kScriptBytes; i += 2)
            runCall(mod, data[i], data[i + 1]);
    }
    vxa_mod_destroy(mod);
    return 0;
}
