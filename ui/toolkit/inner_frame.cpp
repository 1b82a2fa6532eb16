#include "toolkit/inner_frame.h"

#include "toolkit/aliased_painting.h"

namespace VexaChrome {

void paintInnerFrame(QPainter &painter, const QRectF &box, qreal thickness, const QColor &color)
{
    const AliasedPainting aliased(painter);
    const qreal sideH = box.height() - 2 * thickness;
    painter.fillRect(QRectF(box.left(), box.top(), box.width(), thickness), color);
    painter.fillRect(QRectF(box.left(), box.bottom() - thickness, box.width(), thickness), color);
    painter.fillRect(QRectF(box.left(), box.top() + thickness, thickness, sideH), color);
    painter.fillRect(QRectF(box.right() - thickness, box.top() + thickness, thickness, sideH),
                     color);
}

} // namespace VexaChrome
