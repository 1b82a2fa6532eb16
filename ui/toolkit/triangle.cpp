#include "toolkit/triangle.h"

namespace VexaChrome {

QPolygonF TriangleUp::path(const QRectF &box) const
{
    return QPolygonF({QPointF(box.center().x(), box.top()), box.bottomRight(), box.bottomLeft()});
}

QPolygonF TriangleDown::path(const QRectF &box) const
{
    return QPolygonF({box.topLeft(), box.topRight(), QPointF(box.center().x(), box.bottom())});
}

} // namespace VexaChrome
