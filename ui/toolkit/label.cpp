#include "toolkit/label.h"

#include "ui_tables.h"

#include <algorithm>
#include <cmath>

namespace VexaFont {

QSizeF Label::size() const
{
    const int sx = std::max(1, scaleX);
    const int sy = std::max(1, scaleY);
    const int extra = shadow ? 1 : 0;
    return {static_cast<qreal>(characterCount(text) * advance * sx + extra),
            static_cast<qreal>(glyphRows * sy + extra)};
}

void Label::paint(QPainter &painter, QPointF topLeft, const GlyphTable &table) const
{
    if (shadow)
        draw(painter, text, topLeft.x() + 1, topLeft.y() + 1, VexaChrome::colDim, scaleX, scaleY,
             table);
    draw(painter, text, topLeft.x(), topLeft.y(), color, scaleX, scaleY, table);
}

Label titleLabel(const QString &text, const QColor &color)
{
    return {.text = text,
            .color = color,
            .scaleX = VexaChrome::buttonTitleScale,
            .scaleY = VexaChrome::buttonTitleScale,
            .shadow = true};
}

QPointF centredTopLeft(const QRectF &box, QSizeF size, qreal drop)
{
    const qreal top = box.center().y() - size.height() / 2 + drop;
    return {box.center().x() - size.width() / 2, std::ceil(top - 0.5)};
}

} // namespace VexaFont
