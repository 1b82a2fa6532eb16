// A context loaded from a module built byte by byte, with helpers to render and to look
// at the status, the channels and the scope rings.
#pragma once

#include "engine_handle.h"
#include "mod_builder.h"
#include "temp_dir.h"
#include "vxa_mod_internal.h"

#include <gtest/gtest.h>

#include <vector>

namespace vxtest {

// Periods of a few notes, as the file stores them.
constexpr uint16_t kC1 = 856; // note 1
constexpr uint16_t kC2 = 428; // note 13
constexpr uint16_t kB3 = 113; // note 36

// A sample whose byte i is i & 0x7F, so at volume 64 a channel outputs 128 + (i & 0x7F):
// its output values reveal its byte position.
std::vector<uint8_t> positionRamp(size_t bytes);

class EngineTest : public ::testing::Test {
protected:
    // Loads the module into `mod`; the test fails when it does not load.
    void load(const ModBuilder &builder);
    // Renders `frames` frames and returns the 2 * frames output values.
    std::vector<float> render(int32_t frames);
    vxa_status status() const;
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
