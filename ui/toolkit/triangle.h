// Filled triangles fitted to a box, used as the arrows of arrow buttons.
#pragma once

#include <QPolygonF>
#include <QRectF>

namespace VexaChrome {

// Apex at the middle of the top side, base along the bottom side.
struct TriangleUp {
    QPolygonF path(const QRectF &box) const;
};

// Base along the top side, apex at the middle of the bottom side.
struct TriangleDown {
    QPolygonF path(const QRectF &box) const;
};

} // namespace VexaChrome
