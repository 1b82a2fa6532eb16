#include "screen/pattern_click.h"

#include "pattern_row_display.h"
#include "ui_tables.h"

#include <algorithm>
#include <array>
#include <cmath>

using namespace VexaPatternMetrics;

namespace {

// The field of each 16-point character step of a cell: the note's three characters, the
// sample's two digits, the effect, then the parameter's high digit; steps beyond are its
// low digit.
constexpr std::array<int64_t, 7> fieldOfStep = {0, 0, 0, 1, 2, 3, 4};
constexpr int64_t lastField = 5;

// The row tops are summed exactly as the well stacks its rows when it paints them, so
// that a pixel selects the row painted on it.
std::optional<int64_t> rowOffsetAt(qreal ly, const VexaPatternWell::Layout &layout)
{
    qreal top = layout.y0;
    for (int64_t offset = -rowsAbove; offset <= rowsAbove; ++offset) {
        const qreal height = offset == 0 ? layout.midH : layout.prowH;
        if (ly >= top && ly < top + height)
            return offset;
        top += height;
    }
    return std::nullopt;
}

int64_t fieldAt(qreal lx, qreal textStart)
{
    if (lx <= textStart)
        return 0;
    const auto step = static_cast<size_t>(std::floor((lx - textStart) / cellPitch));
    return step < fieldOfStep.size() ? fieldOfStep[step] : lastField;
}

} // namespace

std::optional<VexaPatternClick> VexaPatternClick::at(qreal lx, qreal ly,
                                                     const VexaPatternWell::Layout &layout)
{
    const std::optional<int64_t> rowOffset = rowOffsetAt(ly, layout);
    if (!rowOffset)
        return std::nullopt;
    if (lx < layout.col0)
        return VexaPatternClick{.rowOffset = *rowOffset};
    const auto channel =
        std::clamp<int64_t>(static_cast<int64_t>(std::floor((lx - layout.col0) / layout.colW)), 0,
                            vexa::kChannelCount - 1);
    const qreal cellLeft = layout.col0 + layout.colW * static_cast<qreal>(channel);
    const qreal textStart =
        std::max(cellLeft + (layout.colW - cellTextWidth) / 2, cellLeft + cellMinInset);
    return VexaPatternClick{
        .rowOffset = *rowOffset, .channel = channel, .field = fieldAt(lx, textStart)};
}
