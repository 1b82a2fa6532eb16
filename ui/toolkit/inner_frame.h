// A border drawn inside a box: four filled bands of the given thickness along its edges,
// over whatever the box holds.
#pragma once

#include <QColor>
#include <QPainter>
#include <QRectF>

namespace VexaChrome {

void paintInnerFrame(QPainter &painter, const QRectF &box, qreal thickness, const QColor &color);

} // namespace VexaChrome
