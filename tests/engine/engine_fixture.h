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
#include <vector>

namespace vxtest {

using Bytes = std::vector<uint8_t>;

// Periods of a few notes, as the file stores them.
constexpr uint16_t kC1 = 856;       // note 1
constexpr uint16_t kC2 = 428;       // note 13
constexpr uint16_t kB3 = 113;       // note 36
constexpr int kRowFrames = 6 * 882; // speed 6, tempo 125, 44100 Hz

// A sample whose byte i is i & 0x7F, so at volume 64 a channel outputs 128 + (i & 0x7F):
// its output values reveal its byte position.
Bytes positionRamp(size_t bytes);

class EngineTest : public ::testing::Test {
protected:
    // Loads module bytes and returns what the load call returned.
    int32_t loadBytes(const Bytes &bytes);
    // Loads the module; the test fails when it does not load.
    void load(const ModBuilder &builder) { ASSERT_EQ(loadBytes(builder.build()), 0); }
    // Saves the module and returns the file's bytes; the test fails when it does not save.
    Bytes save();
    int32_t loadSample(int32_t slot, const std::string &name, const Bytes &bytes);
    // A slot's sound as signed bytes, read back through a saved raw file; empty when
    // the slot cannot be saved.
    Bytes soundOf(uint32_t slot);
    vxa_sample_info info(int32_t slot = 1) const;
    // Renders `frames` frames and returns the 2 * frames output values.
    std::vector<float> render(int32_t frames);
    vxa_status status() const;
    std::array<uint8_t, 24> bars() const;
    vxa_channel &channel(int c) { return mod->channels[c]; }
    // The last `count` values of a channel's scope ring, oldest first.
    std::vector<uint8_t> lastScope(int c, int count) const;
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
