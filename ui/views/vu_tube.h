// One VU meter of the pattern well: a bar rising from the bottom of its box, filled with a
// red, yellow and green gradient over its own height and striped for a rounded look. It
// shows the current level only; the controller does the decay.
#pragma once

#include <QPainter>
#include <QRectF>

#include <cstdint>

struct VexaVuTube {
    int64_t level = 0; // 0..64; above 64 counts as 64, below 1 draws nothing

    // The bar is height x level / 64 high but at least 8 from level 1, at most 22 wide
    // (the box width less 6), centred across the box and standing on its bottom.
    void paint(QPainter &painter, const QRectF &box) const;
    QRectF bar(const QRectF &box) const;
};
