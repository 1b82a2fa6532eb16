#include "views/pattern_grooves.h"

#include "toolkit/aliased_painting.h"
#include "ui_tables.h"

using namespace VexaPatternMetrics;

namespace {

constexpr int channelGrooves = 3;

} // namespace

void VexaPatternGrooves::paint(QPainter &painter, QPointF topLeft) const
{
    const AliasedPainting aliased(painter);
    qreal centres[1 + channelGrooves] = {rowNumW + mellansteg / 2};
    for (int k = 1; k <= channelGrooves; ++k)
        centres[k] = col0 + k * colW;
    for (const qreal centre : centres)
        for (size_t c = 0; c < grooveColumns.size(); ++c)
            painter.fillRect(QRectF(topLeft.x() + centre - grooveHalf + c, topLeft.y(), 1, height),
                             grooveColumns[c]);
}
