// Where a click in the pattern well lands: which of the eleven rows, and in which channel
// and field. The click area spans canvas x 6..634 from the well's wellTop to wellBot.
//
// The click is compared with the well's column layout (col0, colW) in canvas x as it is,
// although the rows are drawn from canvas x 4: the click bands sit 4 points left of the
// drawn columns, so a click on a character's left edge still selects the field before it.
#pragma once

#include "views/pattern_well.h"

#include <cstdint>
#include <optional>

struct VexaPatternClick {
    int64_t rowOffset = 0;               // from the playhead row, -5..5
    std::optional<int64_t> channel = {}; // 0..3; none in the row-number column
    std::optional<int64_t> field = {};   // 0..5: note, sample high, low, effect, param high, low

    bool operator==(const VexaPatternClick &) const = default;

    // The click at canvas point (lx, ly), or none above the first row or below the last.
    // Rows are closed at the top and open at the bottom. Right of the row numbers the
    // channel is the column under lx (the last one also beyond it); the field counts
    // 16-point character steps from the cell's text start: steps 0..2 are the note, 3 and
    // 4 the sample, 5 the effect, 6 and the rest the parameter's high and low digit.
    static std::optional<VexaPatternClick> at(qreal lx, qreal ly,
                                              const VexaPatternWell::Layout &layout);
};
