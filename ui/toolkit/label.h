// A text item drawn with the bitmap font, optionally over a drop shadow.
#pragma once

#include "toolkit/vexa_font.h"

#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>

namespace VexaFont {

struct Label {
    QString text{};
    QColor color{};
    int scaleX = 1; // size of one font pixel in points; below 1 counts as 1
    int scaleY = 1;
    bool shadow = false; // a colDim copy one point right and one point down, under the text

    // The box the label paints into: 7 x scaleX per character and 8 x scaleY high, one
    // point more each way with the shadow.
    QSizeF size() const;
    void paint(QPainter &painter, QPointF topLeft, const GlyphTable &table = glyphs()) const;
};

// A title as buttons, panels and displays show it: at 2 x 2, over a drop shadow.
Label titleLabel(const QString &text, const QColor &color);

// The top-left corner that centres a box of `size` in `box`, moved `drop` points down. A
// vertical half point is rounded toward the top: Qt rounds it down the screen, and a
// title one point low lets its shadow cover the bottom line of its button's bevel.
QPointF centredTopLeft(const QRectF &box, QSizeF size, qreal drop = 0);

} // namespace VexaFont
