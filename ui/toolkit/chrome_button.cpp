#include "toolkit/chrome_button.h"

#include "toolkit/aliased_painting.h"
#include "toolkit/label.h"
#include "ui_tables.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace VexaChrome {

QString ChromeButton::fittedTitle() const
{
    if (!fitsTitle)
        return title;
    const double fitting = std::floor(width / buttonTitlePointsPerChar);
    const int count = static_cast<int>(std::clamp(fitting, 1.0, double(buttonTitleMaxChars)));
    return VexaFont::leadingCharacters(title, count).toString();
}

void ChromeButton::paint(QPainter &painter, QPointF topLeft) const
{
    const QRectF box(topLeft, QSizeF(width, height));
    const AliasedPainting aliased(painter);
    painter.save();
    painter.setClipRect(box, Qt::IntersectClip);
    Bevel{.width = width, .height = height, .pressed = pressed, .edges = edges}.paint(painter,
                                                                                      topLeft);
    const VexaFont::Label label = VexaFont::titleLabel(fittedTitle(), colHi);
    label.paint(painter, VexaFont::centredTopLeft(box, label.size(), buttonTitleDrop));
    painter.restore();
}

void ChromeButton::addHits(HitMap &hits, QPointF topLeft) const
{
    hits.add(HitArea::click(QRectF(topLeft, QSizeF(width, height)), action));
}

} // namespace VexaChrome
