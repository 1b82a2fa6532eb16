// A raised or sunken rectangle: a face with one-point light and dark edge lines.
#pragma once

#include <QColor>
#include <QPointF>

#include <optional>

class QPainter;

namespace VexaChrome {

struct Bevel {
    // Bits of `edges`: which sides get a bevel line.
    static constexpr int left = 1;
    static constexpr int top = 2;
    static constexpr int right = 4;
    static constexpr int bottom = 8;
    static constexpr int allEdges = left | top | right | bottom;

    qreal width = 0;
    qreal height = 0;
    bool pressed = false;         // sunken: dark top and left, light bottom and right
    std::optional<QColor> fill{}; // face colour; absent means colFace2 pressed, colFace not
    int edges = allEdges;

    // The bottom and right lines are painted last, so the bottom-left and top-right corner
    // points take their colour.
    void paint(QPainter &painter, QPointF topLeft) const;
};

} // namespace VexaChrome
