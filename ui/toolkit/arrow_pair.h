// An up and a down arrow button side by side, each aw wide: up on the left, down on the
// right, with no gap.
#pragma once

#include "toolkit/hit_map.h"

#include <QSizeF>

#include <functional>

class QPainter;

namespace VexaChrome {

struct ArrowPair {
    qreal height = 0;
    std::function<void()> up{};
    std::function<void()> down{};
    bool enabled = true; // a disabled pair looks the same but its clicks do nothing

    QSizeF size() const;
    void paint(QPainter &painter, QPointF topLeft) const;
    // A disabled pair still covers its box, so clicks on it reach nothing below.
    void addHits(HitMap &hits, QPointF topLeft) const;
};

} // namespace VexaChrome
