#include "busy_module.h"

#include "mod_builder.h"

#include <array>
#include <cmath>

namespace vxtest {

namespace {

constexpr int kPatterns = 8;
constexpr std::array<uint16_t, 36> kPeriods = {
    856, 808, 762, 720, 678, 640, 604, 570, 538, 508, 480, 453, 428, 404, 381, 360, 339, 320,
    302, 285, 269, 254, 240, 226, 214, 202, 190, 180, 170, 160, 151, 143, 135, 127, 120, 113};

struct Effect {
    uint8_t command;
    uint8_t param;
};

// Row-start effects on cells with a note, and running effects on the rows between.
constexpr std::array<Effect, 7> kNoteEffects = {
    {{0xC, 0x30}, {0x0, 0x37}, {0x4, 0x48}, {0x9, 0x04}, {0xC, 0x40}, {0x6, 0x21}, {0x3, 0x08}}};
constexpr std::array<Effect, 8> kRunningEffects = {{{0x0, 0x47},
                                                    {0x1, 0x02},
                                                    {0x2, 0x03},
                                                    {0x4, 0x36},
                                                    {0xA, 0x10},
                                                    {0x3, 0x00},
                                                    {0x6, 0x01},
                                                    {0x5, 0x10}}};

std::vector<uint8_t> wave(size_t length, double cyclesPerByte, int salt)
{
    std::vector<uint8_t> bytes(length);
    for (size_t i = 0; i < length; ++i) {
        const double v = std::sin(static_cast<double>(i) * cyclesPerByte * 6.283185307179586);
        bytes[i] = static_cast<uint8_t>(static_cast<int>(v * 100) + ((i * 13 + salt) % 17));
    }
    return bytes;
}

void addSamples(ModBuilder &builder)
{
    // Slots 1 and 3 loop, 2 and 4 play once; the one-shot ones are long enough to
    // outlast the two rows between their notes.
    builder.sample(1, {.name = "LOOP LONG",
                       .lengthWords = 2000,
                       .volume = 60,
                       .loopStartWords = 500,
                       .loopLengthWords = 1500});
    builder.sample(2, {.name = "ONCE", .lengthWords = 8000, .volume = 50});
    builder.sample(3, {.name = "LOOP SHORT",
                       .lengthWords = 512,
                       .volume = 64,
                       .loopStartWords = 480,
                       .loopLengthWords = 32});
    builder.sample(4, {.name = "ONCE LONG", .lengthWords = 12000, .volume = 40});
    builder.sampleData(1, wave(4000, 1.0 / 50, 1));
    builder.sampleData(2, wave(16000, 1.0 / 23, 2));
    builder.sampleData(3, wave(1024, 1.0 / 16, 3));
    builder.sampleData(4, wave(24000, 1.0 / 71, 4));
}

void addPattern(ModBuilder &builder, int pattern)
{
    for (int row = 0; row < 64; ++row) {
        for (int channel = 0; channel < 4; ++channel) {
            const int k = row + channel + pattern;
            if ((row + channel) % 2 == 0) {
                const uint16_t period = kPeriods[(row * 5 + channel * 7 + pattern * 3) % 36];
                const uint8_t slot = static_cast<uint8_t>(1 + (channel + pattern + row / 2) % 4);
                const Effect e = kNoteEffects[k % kNoteEffects.size()];
                builder.note(pattern, row, channel, period, slot, e.command, e.param);
            } else {
                const Effect e = kRunningEffects[k % kRunningEffects.size()];
                builder.note(pattern, row, channel, 0, 0, e.command, e.param);
            }
        }
    }
}

} // namespace

std::vector<uint8_t> busyModule(int positions)
{
    ModBuilder builder;
    builder.title("BUSY");
    addSamples(builder);
    std::vector<uint8_t> orders(positions);
    for (int i = 0; i < positions; ++i)
        orders[i] = static_cast<uint8_t>(i % kPatterns);
    builder.song(static_cast<uint8_t>(positions), 0, orders);
    builder.patternCount(positions < kPatterns ? positions : kPatterns);
    for (int pattern = 0; pattern < kPatterns && pattern < positions; ++pattern)
        addPattern(builder, pattern);
    return builder.build();
}

} // namespace vxtest
