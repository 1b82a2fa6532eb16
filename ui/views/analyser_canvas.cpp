#include "views/analyser_canvas.h"

#include "toolkit/aliased_painting.h"
#include "ui_tables.h"

#include <algorithm>
#include <cmath>

using namespace VexaSpectrumMetrics;

namespace {

constexpr double fullComponent = 255;

struct RedGreen {
    double red;
    double green;
};

// The base colour at height t on the ramp, components 0..255.
RedGreen ramp(double t)
{
    if (t < lowBend) {
        const double u = t / lowBend;
        return {lowRedSpan * u, lowGreenBase + lowGreenSpan * u};
    }
    if (t < highBend) {
        const double s = (t - lowBend) * midSlope;
        return {lowRedSpan + s, lowGreenBase + lowGreenSpan - s};
    }
    const double u = (t - highBend) / (1 - highBend);
    return {topRedBase - topRedSpan * u, topGreenBase - topGreenSpan * u};
}

double shade(int k, int columns)
{
    if (k < 2)
        return edgeShade + edgeShadeStep * k;
    if (k < columns - 2)
        return k == 2 ? highlightShade : 1.0;
    return farShade - farShadeStep * (k - (columns - 2));
}

} // namespace

QColor SpectrumCanvas::pointColour(double t, int k, int columns)
{
    const RedGreen base = ramp(t);
    const double factor = shade(k, columns);
    return QColor::fromRgbF(static_cast<float>(std::min(base.red / fullComponent * factor, 1.0)),
                            static_cast<float>(std::min(base.green / fullComponent * factor, 1.0)),
                            0);
}

void SpectrumCanvas::paint(QPainter &painter, const QRectF &box) const
{
    const AliasedPainting aliased(painter);
    painter.fillRect(box, VexaChrome::colInk);
    const qreal barWidth = std::max((box.width() - sideRoom) / barCount, minBarWidth);
    const qreal pitch = barWidth + barGap;
    const int columns = static_cast<int>(std::floor(barWidth));
    const qreal h = box.height();
    const qreal bottomRow = box.top() + h - 1;
    for (int b = 0; b < barCount; ++b) {
        const size_t index = static_cast<size_t>(b);
        const int v = index < bins.size() ? std::min<int>(bins[index], maxValue) : 0;
        const int barHeight = static_cast<int>(std::floor(h * v / maxValue));
        const qreal x0 = box.left() + pitch * b;
        for (int y = 0; y < barHeight; ++y) {
            const double t = h <= 1 ? 0 : y / (h - 1);
            for (int k = 0; k < columns; ++k)
                painter.fillRect(QRectF(x0 + k, bottomRow - y, 1, 1), pointColour(t, k, columns));
        }
    }
}
