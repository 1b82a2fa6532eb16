// One engine context with a scratch folder, and helpers to load and save modules and
// samples, render, and look at the status, the channels, the meters and the scope rings.
#pragma once

#include "engine_handle.h"
#include "mod_builder.h"
#include "temp_dir.h"
#include "vxa_mod_internal.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace vxtest {

using Bytes = std::vector<uint8_t>;

// Periods of a few notes, as the file stores them.
constexpr uint16_t kC1 = 856;       // note 1
constexpr uint16_t kC2 = 428;       // note 13
constexpr uint16_t kB3 = 113;       // note 36
constexpr int kRowFrames = 6 * 882; // speed 6, tempo 125, 44100 Hz

using Rows = std::vector<std::array<int, 4>>; // period, sample, effect, param of channel 0

// Bytes written as hexadecimal digits, two a byte; spaces only group them for the reader.
inline Bytes hex(std::string_view digits)
{
    Bytes bytes;
    std::string pair;
    for (const char digit : digits) {
        if (digit == ' ')
            continue;
        pair += digit;
        if (pair.size() == 2) {
            bytes.push_back(static_cast<uint8_t>(std::stoi(pair, nullptr, 16)));
            pair.clear();
        }
    }
    return bytes;
}

// A sample whose byte i is i & 0x7F, so at volume 64 a channel outputs 128 + (i & 0x7F):
// its output values reveal its byte position.
inline Bytes positionRamp(size_t bytes)
{
    Bytes ramp(bytes);
    for (size_t i = 0; i < bytes; ++i)
        ramp[i] = static_cast<uint8_t>(i & 0x7F);
    return ramp;
}

class EngineTest : public ::testing::Test {
protected:
    // Slots 1 (volume 48, the given finetune) and 2 (volume 20) hold a looped constant
    // 0x40, so a channel's output value is 128 + its played volume.
    static ModBuilder constantSamples(uint8_t finetune = 0)
    {
        ModBuilder builder;
        for (int slot : {1, 2}) {
            builder.sample(slot, {.lengthWords = 4000,
                                  .finetune = slot == 1 ? finetune : uint8_t{0},
                                  .volume = uint8_t(slot == 1 ? 48 : 20),
                                  .loopStartWords = 0,
                                  .loopLengthWords = 4000});
            builder.sampleData(slot, Bytes(8000, 0x40));
        }
        return builder;
    }
    // Plays pattern 0 with `rows` on channel 0 over the constant samples and renders up
    // to the start of row `from`.
    void playRows(const Rows &rows, int from, uint8_t finetune = 0)
    {
        ModBuilder builder = constantSamples(finetune);
        for (size_t r = 0; r < rows.size(); ++r) {
            const auto [period, sample, effect, param] = rows[r];
            builder.note(0, static_cast<int>(r), 0, static_cast<uint16_t>(period),
                         static_cast<uint8_t>(sample), static_cast<uint8_t>(effect),
                         static_cast<uint8_t>(param));
        }
        load(builder);
        vxa_mod_play(mod.get());
        render(from * kRowFrames);
    }
    int playedVolume() const { return status().chan_out[0] - 128; }
    std::vector<int> periodsPerTick(int ticks)
    {
        return perTick(ticks, [&] { return int{channel(0).play_period}; });
    }
    std::vector<int> volumesPerTick(int ticks)
    {
        return perTick(ticks, [&] { return playedVolume(); });
    }
    int32_t loadBytes(const Bytes &bytes)
    {
        return vxa_mod_load(mod.get(), dir.write("in.mod", bytes).c_str());
    }
    // Loads the module; the test fails when it does not load.
    void load(const ModBuilder &builder) { ASSERT_EQ(loadBytes(builder.build()), 0); }
    // Saves the module and returns the file's bytes; the test fails when it does not save.
    Bytes save()
    {
        EXPECT_EQ(vxa_mod_save(mod.get(), dir.file("out.mod").c_str()), 0);
        return readFile(dir.file("out.mod"));
    }
    int32_t loadSample(int32_t slot, const std::string &name, const Bytes &bytes)
    {
        return vxa_mod_load_sample(mod.get(), slot, dir.write(name, bytes).c_str());
    }
    // A slot's sound as signed bytes, read back through a saved raw file; empty when
    // the slot cannot be saved.
    Bytes soundOf(uint32_t slot)
    {
        std::filesystem::remove(dir.file("sound.raw"));
        if (vxa_mod_save_sample(mod.get(), slot, dir.file("sound.raw").c_str()) != 0)
            return {};
        Bytes bytes = readFile(dir.file("sound.raw"));
        for (uint8_t &b : bytes)
            b ^= 0x80;
        return bytes;
    }
    vxa_sample_info info(int32_t slot = 1) const
    {
        vxa_sample_info out{};
        EXPECT_EQ(vxa_mod_get_sample_info(mod.get(), slot, &out), 0);
        return out;
    }
    // Renders `frames` frames and returns the 2 * frames output values.
    std::vector<float> render(int32_t frames)
    {
        std::vector<float> out(2 * static_cast<size_t>(frames));
        vxa_mod_render(mod.get(), out.data(), frames);
        return out;
    }
    vxa_status status() const
    {
        vxa_status s{};
        vxa_mod_get_status(mod.get(), &s);
        return s;
    }
    std::array<uint8_t, 24> bars() const
    {
        std::array<uint8_t, 24> out{};
        vxa_mod_get_spectrum(mod.get(), out.data());
        return out;
    }
    vxa_channel &channel(int c) { return mod->channels[c]; }
    // The last `count` values of a channel's scope ring, oldest first.
    Bytes lastScope(int c, int count) const
    {
        Bytes values;
        for (int i = count; i > 0; --i)
            values.push_back(mod->scope[c][static_cast<uint8_t>(mod->scope_pos - i)]);
        return values;
    }
    // Renders one tick at a time (882 frames at tempo 125) and collects a value per tick.
    template <typename F> std::vector<int> perTick(int ticks, F value)
    {
        std::vector<int> values;
        for (int i = 0; i < ticks; ++i) {
            render(1); // processes the tick, then mixes its first frame
            values.push_back(value());
            render(881);
        }
        return values;
    }

    TempDir dir;
    ModHandle mod = createMod();
};

} // namespace vxtest
