// The grooves of the pattern well: four sunken vertical lines over the well's full height,
// one between the row numbers and channel 1 and one between each two channels.
#pragma once

#include <QPainter>

struct VexaPatternGrooves {
    qreal height = 0;  // of the area, from the well's wellTop to wellBot
    qreal rowNumW = 0; // the pattern well's column layout, local x
    qreal mellansteg = 0;
    qreal col0 = 0;
    qreal colW = 0;

    // Each groove is five 1-point columns centred on rowNumW + mellansteg / 2 and on
    // col0 + k x colW (k = 1..3), light to dark from the left.
    void paint(QPainter &painter, QPointF topLeft) const;
};
