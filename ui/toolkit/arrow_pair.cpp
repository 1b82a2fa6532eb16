#include "toolkit/arrow_pair.h"

#include "toolkit/aliased_painting.h"
#include "toolkit/bevel.h"
#include "toolkit/triangle.h"
#include "ui_tables.h"

#include <QPainter>

#include <algorithm>

namespace VexaChrome {

namespace {

QRectF arrowBox(QPointF buttonTopLeft, qreal height)
{
    const QSizeF size(aw - arrowInset, std::max(height - arrowInset, arrowMinHeight));
    const QPointF centre = buttonTopLeft + QPointF(aw / 2, height / 2);
    return QRectF(centre - QPointF(size.width() / 2, size.height() / 2), size);
}

void paintArrowButton(QPainter &painter, QPointF topLeft, qreal height, const QPolygonF &arrow)
{
    Bevel{.width = aw, .height = height}.paint(painter, topLeft);
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(colInk);
    painter.drawPolygon(arrow);
    painter.restore();
}

} // namespace

QSizeF ArrowPair::size() const
{
    return {2 * aw, height};
}

void ArrowPair::paint(QPainter &painter, QPointF topLeft) const
{
    const AliasedPainting aliased(painter);
    const QPointF downTopLeft = topLeft + QPointF(aw, 0);
    paintArrowButton(painter, topLeft, height, TriangleUp{}.path(arrowBox(topLeft, height)));
    paintArrowButton(painter, downTopLeft, height,
                     TriangleDown{}.path(arrowBox(downTopLeft, height)));
}

void ArrowPair::addHits(HitMap &hits, QPointF topLeft) const
{
    const QSizeF button(aw, height);
    hits.add(HitArea::click(QRectF(topLeft, button), enabled ? up : nullptr));
    hits.add(HitArea::click(QRectF(topLeft + QPointF(aw, 0), button), enabled ? down : nullptr));
}

} // namespace VexaChrome
