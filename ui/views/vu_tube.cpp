#include "views/vu_tube.h"

#include "toolkit/aliased_painting.h"
#include "ui_tables.h"

#include <QLinearGradient>

#include <algorithm>

using namespace VexaPatternMetrics;

QRectF VexaVuTube::bar(const QRectF &box) const
{
    if (level < 1)
        return {};
    const int64_t shown = std::min<int64_t>(level, vuFullLevel);
    const qreal height =
        std::min(std::max(box.height() * shown / vuFullLevel, vuMinBarH), box.height());
    const qreal width = std::min(box.width() - vuSideRoom, vuMaxBarWidth);
    return {box.center().x() - width / 2, box.bottom() - height, width, height};
}

void VexaVuTube::paint(QPainter &painter, const QRectF &box) const
{
    const QRectF filled = bar(box);
    if (filled.isEmpty())
        return;
    const AliasedPainting aliased(painter);
    QLinearGradient gradient(filled.topLeft(), filled.bottomLeft());
    gradient.setColorAt(0, vuTop);
    gradient.setColorAt(0.5, vuMiddle);
    gradient.setColorAt(1, vuBottom);
    painter.fillRect(filled, gradient);
    const qreal top = filled.top();
    const qreal h = filled.height();
    painter.fillRect(QRectF(filled.left(), top, vuStripeWidth, h), vuStripeLeft);
    painter.fillRect(QRectF(filled.left() + vuStripeWidth, top, vuStripeWidth, h), vuStripeLight);
    painter.fillRect(QRectF(filled.right() - vuStripeWidth, top, vuStripeWidth, h), vuStripeRight);
}
