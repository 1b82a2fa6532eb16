// One of the eleven pattern rows the pattern well shows around the playhead: a real
// row of the pattern, or a placeholder above row 0 or below row 63.
#pragma once

#include "app_tables.h"
#include "vxa_mod.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace vexa {

inline constexpr const char *kBlankCellText = "---00000";

struct PatternRowDisplay {
    int64_t id;        // the row number, or -1000 - k for the k-th placeholder
    int64_t rowNumber; // may lie outside 0..63 for placeholders
    std::array<std::string, kChannelCount> cells;
    bool isPlayhead;

    bool operator==(const PatternRowDisplay &) const = default;

    // Eleven placeholder-or-blank rows around `playheadRow`, every cell blank.
    static std::vector<PatternRowDisplay> blankWell(int64_t playheadRow);
};

// The eight characters of a cell: note name, sample (masked to 0..31) as two hex
// digits, effect as one, parameter as two; "---00000" for an empty cell.
std::string cellText(const vxa_cell &cell);

// Eleven rows playhead-5 .. playhead+5 of `pattern`, read from the engine. The caller
// holds the engine lock.
std::vector<PatternRowDisplay> buildPatternRows(const vxa_mod *mod, uint32_t pattern,
                                                int64_t playhead);

} // namespace vexa
