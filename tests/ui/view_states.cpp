#include "view_states.h"

#include <cmath>
#include <numbers>

namespace uitest {

namespace {

constexpr int traceBytes = 128;

uint8_t wave(double value) // -1..1 to unsigned bytes around 0x80
{
    return static_cast<uint8_t>(std::lround(127.5 + 127 * std::clamp(value, -1.0, 1.0)));
}

} // namespace

std::vector<vexa::PatternRowDisplay> patternRows(int64_t playhead)
{
    static const char *const cells[][vexa::kChannelCount] = {
        {"C-301C40", "---00000", "G#203000", "---00000"},
        {"---00000", "D#302A02", "---00000", "---00000"},
        {"E-301000", "---00000", "---00000", "C-104F06"},
        {"---00000", "---00000", "B-203C20", "---00000"},
    };
    std::vector<vexa::PatternRowDisplay> rows = vexa::PatternRowDisplay::blankWell(playhead);
    for (vexa::PatternRowDisplay &row : rows)
        if (row.rowNumber >= 0 && row.rowNumber < vexa::kPatternRowCount)
            for (size_t c = 0; c < row.cells.size(); ++c)
                row.cells[c] = cells[row.rowNumber % std::size(cells)][c];
    return rows;
}

std::vector<std::vector<uint8_t>> busyScopes()
{
    std::vector<std::vector<uint8_t>> scopes(4, std::vector<uint8_t>(traceBytes));
    for (int i = 0; i < traceBytes; ++i) {
        const double phase = 2 * std::numbers::pi * i / traceBytes;
        scopes[0][i] = wave(0.8 * std::sin(3 * phase));
        scopes[1][i] = wave(i % 32 < 16 ? 0.5 : -0.5);
        scopes[2][i] = wave((i % 43) / 21.5 - 1);
        scopes[3][i] = 0x80;
    }
    return scopes;
}

std::vector<uint8_t> busySpectrum()
{
    std::vector<uint8_t> bins(24);
    for (size_t b = 0; b < bins.size(); ++b)
        bins[b] = static_cast<uint8_t>(
            std::lround(70 * std::exp(-0.02 * (b - 5.0) * (b - 5.0)) + 3 * (b % 4)));
    return bins;
}

VexaSmpEdModel loopedSample()
{
    VexaSmpEdModel model{.sample = 3,
                         .length = 0x1A40,
                         .volume = 0x30,
                         .loopStart = 0x0800,
                         .loopLength = 0x1000,
                         .markNext = 1};
    for (int i = 0; i < 256; ++i)
        model.wave.push_back(
            wave(std::exp(-i / 120.0) * std::sin(2 * std::numbers::pi * i / 19.0)));
    return model;
}

} // namespace uitest
