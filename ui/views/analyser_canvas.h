// The spectrum analyser's 24 bars in a box: each bar's height is its value of 0..63,
// each point coloured by its height (green at the bottom, yellow, orange, red at the top)
// and shaded across the bar's width so that it looks rounded.
#pragma once

#include <QColor>
#include <QPainter>
#include <QRectF>

#include <cstdint>
#include <vector>

struct SpectrumCanvas {
    std::vector<uint8_t> bins{}; // values above 63 count as 63; missing bars are empty

    // Fills the box black and draws bar b from x = b x (bw + 2), bw = (width - 46) / 24
    // but at least 4, floor(bw) columns wide and floor(height x v / 63) high, one 1 x 1
    // square per point.
    void paint(QPainter &painter, const QRectF &box) const;

    // The colour of a bar's point at height t (0 at the bottom row, 1 at the top one) in
    // column k of a bar `columns` wide.
    static QColor pointColour(double t, int k, int columns);
};
