#include "views/scope_canvas.h"

#include "toolkit/aliased_painting.h"
#include "ui_tables.h"

#include <QPolygonF>

#include <algorithm>
#include <cmath>

namespace {

constexpr qreal fullScale = 255;

} // namespace

void ScopeCanvas::paint(QPainter &painter, const QRectF &box) const
{
    const AliasedPainting aliased(painter);
    painter.fillRect(box, VexaChrome::colInk);
    if (samples.size() < 2 || box.width() <= 1 || box.height() <= 1)
        return;
    const int columns = static_cast<int>(std::floor(box.width()));
    const size_t count = samples.size();
    const auto y = [&](uint8_t s) {
        return box.top() + (box.height() - 1) * (fullScale - s) / fullScale;
    };
    QPolygonF trace;
    trace.reserve(columns);
    trace << QPointF(box.left(), y(samples.front()));
    for (int x = 1; x < columns; ++x) {
        const size_t index = std::min(static_cast<size_t>(x) * count / columns, count - 1);
        trace << QPointF(box.left() + x, y(samples[index]));
    }
    painter.save();
    painter.setPen(QPen(VexaChrome::colYellow, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawPolyline(trace);
    painter.restore();
}
