// Where a pointer lands on the canvas at each device scale.
#include "screen_widget.h"

#include <gtest/gtest.h>

TEST(ScreenWidget, mapsEachDevicePixelToTheCanvasAtItsCentre)
{
    struct Case {
        QPointF logical; // the event's position: a device pixel's top-left in points
        qreal scale;
        QPointF canvas;
    };
    const Case cases[] = {
        {{283, 12}, 1, {283.5, 12.5}},           {{0, 0}, 2, {0.25, 0.25}},
        {{141.5, 6}, 2, {141.75, 6.25}},         {{639.5, 479.5}, 2, {639.75, 479.75}},
        {{2, 4.0 / 3}, 1.5, {7.0 / 3, 5.0 / 3}},
    };
    for (const Case &c : cases) {
        const QPointF canvas = ScreenWidget::canvasPoint(c.logical, c.scale);
        EXPECT_DOUBLE_EQ(canvas.x(), c.canvas.x()) << c.logical.x() << " at " << c.scale;
        EXPECT_DOUBLE_EQ(canvas.y(), c.canvas.y()) << c.logical.y() << " at " << c.scale;
    }
}
