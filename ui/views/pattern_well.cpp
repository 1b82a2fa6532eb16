#include "views/pattern_well.h"

#include "toolkit/aliased_painting.h"
#include "toolkit/bevel.h"
#include "views/pattern_grooves.h"
#include "views/pattern_row_view.h"
#include "views/vu_tube.h"

#include <algorithm>

using namespace VexaPatternMetrics;

namespace {

constexpr int otherRows = 2 * rowsAbove;

void paintVuTubes(QPainter &painter, const std::vector<int64_t> &levels,
                  const VexaPatternWell::Layout &layout)
{
    const qreal top = layout.playheadTop - layout.vuMaxH;
    for (int channel = 0; channel < vexa::kChannelCount; ++channel) {
        const size_t index = static_cast<size_t>(channel);
        const int64_t level = index < levels.size() ? levels[index] : 0;
        const QRectF tube(innerLeft + layout.col0 + channel * layout.colW, top, layout.colW,
                          layout.vuMaxH);
        VexaVuTube{.level = level}.paint(painter, tube);
    }
}

} // namespace

VexaPatternWell::Layout VexaPatternWell::layout(qreal patY, qreal patH)
{
    Layout layout;
    layout.wellTop = patY + wellInset;
    layout.wellBot = patY + patH - wellInset;
    const qreal avail = layout.wellBot - layout.wellTop;
    qreal midH = std::max(std::min(avail / 4, midMaxH), midStartMinH);
    qreal prowH = std::max((avail - midH) / otherRows, prowMinH);
    const auto total = [&] { return otherRows * prowH + midH; };
    while (midH > midMinH && avail < total())
        midH -= 1;
    while (avail < total() && prowH > prowMinH)
        prowH -= 1; // a fractional height can so end between 15 and 16
    layout.midH = midH;
    layout.prowH = prowH;
    layout.totalH = total();
    layout.y0 = layout.wellTop + std::max((avail - layout.totalH) / 2, 0.0);
    layout.playheadTop = layout.y0 + rowsAbove * prowH;
    layout.vuMaxH =
        std::max(std::min(layout.playheadTop - layout.wellTop, rowsAbove * prowH), prowMinH);
    return layout;
}

void VexaPatternWell::paint(QPainter &painter) const
{
    const AliasedPainting aliased(painter);
    const Layout l = layout(patY, patH);
    VexaChrome::Bevel{
        .width = bevelWidth, .height = patH, .pressed = true, .fill = VexaChrome::colFace}
        .paint(painter, QPointF(centreX - bevelWidth / 2, patY));
    painter.fillRect(QRectF(innerLeft, patY + innerInset, innerWidth, patH - 2 * innerInset),
                     VexaChrome::colInk);
    paintVuTubes(painter, levels, l);
    qreal y = l.y0;
    for (const vexa::PatternRowDisplay &row : rows) {
        const VexaPatternRowView view{.row = row,
                                      .height = row.isPlayhead ? l.midH : l.prowH,
                                      .rowNumW = l.rowNumW,
                                      .col0 = l.col0,
                                      .colW = l.colW,
                                      .scaleY = row.isPlayhead ? l.patScY : rowScY,
                                      .editCh = editCh,
                                      .cursorPos = cursorPos};
        view.paint(painter, QPointF(innerLeft, y));
        y += view.height;
    }
    VexaPatternGrooves{.height = l.wellBot - l.wellTop,
                       .rowNumW = l.rowNumW,
                       .mellansteg = l.mellansteg,
                       .col0 = l.col0,
                       .colW = l.colW}
        .paint(painter, QPointF(innerLeft, l.wellTop));
}
