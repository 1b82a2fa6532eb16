#include "toolkit/bevel.h"

#include "toolkit/aliased_painting.h"
#include "ui_tables.h"

#include <QPainter>

namespace VexaChrome {

void Bevel::paint(QPainter &painter, QPointF topLeft) const
{
    const AliasedPainting aliased(painter);
    const qreal x = topLeft.x();
    const qreal y = topLeft.y();
    const QColor &lightEdge = pressed ? colShadow : colHi;
    const QColor &darkEdge = pressed ? colHi : colShadow;
    painter.fillRect(QRectF(x, y, width, height), fill.value_or(pressed ? colFace2 : colFace));
    if (edges & top)
        painter.fillRect(QRectF(x, y, width, 1), lightEdge);
    if (edges & left)
        painter.fillRect(QRectF(x, y, 1, height), lightEdge);
    if (edges & bottom)
        painter.fillRect(QRectF(x, y + height - 1, width, 1), darkEdge);
    if (edges & right)
        painter.fillRect(QRectF(x + width - 1, y, 1, height), darkEdge);
}

} // namespace VexaChrome
