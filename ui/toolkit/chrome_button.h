// A push button: a bevel with a pixel-font title. It has no hover or press look of its
// own; `pressed` is computed by its user from the controller's state.
#pragma once

#include "toolkit/bevel.h"
#include "toolkit/hit_map.h"

#include <QString>

#include <functional>

namespace VexaChrome {

struct ChromeButton {
    QString title{};
    qreal width = 0;
    qreal height = 0;
    bool pressed = false;
    int edges = Bevel::allEdges;
    std::function<void()> action{}; // run by a press released inside the button
    bool fitsTitle = true;          // false: the whole title is shown, clipped to the box

    // The title cut to the characters that fit at 14 points each: never more than 14 and
    // never fewer than 1. The whole title when fitsTitle is false.
    QString fittedTitle() const;

    // Paints the bevel and the title, centred and moved 2 points down (a vertical half
    // point rounded toward the top, so the bevel's edges stay whole), clipped to the
    // button's box. Never smoothed.
    void paint(QPainter &painter, QPointF topLeft) const;
    void addHits(HitMap &hits, QPointF topLeft) const;
};

} // namespace VexaChrome
