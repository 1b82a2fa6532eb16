// Arrow pairs: the two buttons' click areas, the disabled pair, and the triangles.
#include "test_canvas.h"
#include "toolkit/arrow_pair.h"
#include "toolkit/triangle.h"
#include "ui_tables.h"

#include <gtest/gtest.h>

using namespace uitest;
using namespace VexaChrome;

namespace {

struct Clicks {
    int up = 0;
    int down = 0;
};

Clicks clickPair(bool enabled, QPointF at)
{
    Clicks clicks;
    HitMap hits;
    ArrowPair{.height = 18,
              .up = [&] { ++clicks.up; },
              .down = [&] { ++clicks.down; },
              .enabled = enabled}
        .addHits(hits, QPointF(184, 4));
    hits.press(at);
    hits.release(at);
    return clicks;
}

} // namespace

TEST(ArrowPairClick, leftButtonIsUp_rightButtonIsDown_eachAwWide)
{
    const struct {
        QPointF at;
        int up, down;
    } cases[] = {
        {{184, 4}, 1, 0},  {{201.9, 21.9}, 1, 0}, {{202, 4}, 0, 1},  {{219.9, 21.9}, 0, 1},
        {{220, 10}, 0, 0}, {{183.9, 10}, 0, 0},   {{190, 22}, 0, 0}, {{190, 3.9}, 0, 0},
    };
    for (const auto &c : cases) {
        const Clicks clicks = clickPair(true, c.at);
        EXPECT_EQ(clicks.up, c.up) << c.at.x() << "," << c.at.y();
        EXPECT_EQ(clicks.down, c.down) << c.at.x() << "," << c.at.y();
    }
}

TEST(ArrowPairClick, disabledPairIgnoresClicks_butStillCoversWhatIsBelow)
{
    for (const QPointF at : {QPointF(190, 10), QPointF(210, 10)}) {
        int below = 0;
        HitMap hits;
        hits.add(HitArea::click(QRectF(0, 0, 640, 480), [&] { ++below; }));
        int runs = 0;
        ArrowPair{.height = 18, .up = [&] { ++runs; }, .down = [&] { ++runs; }, .enabled = false}
            .addHits(hits, QPointF(184, 4));
        EXPECT_TRUE(hits.press(at));
        hits.release(at);
        EXPECT_EQ(runs, 0);
        EXPECT_EQ(below, 0);
    }
}

TEST(ArrowPairPaint, twoRaisedButtons_withAnUpAndADownTriangle)
{
    // At (0, 0) with height 18 each triangle fills the 10 x 10 box at 4..13 of its button.
    TestCanvas canvas;
    ArrowPair{.height = 18}.paint(canvas.painter(), QPointF(0, 0));
    EXPECT_EQ(canvas.at(0, 0), colHi);
    EXPECT_EQ(canvas.at(17, 17), colShadow);
    EXPECT_EQ(canvas.at(18, 0), colHi); // the down button's own left edge
    EXPECT_EQ(canvas.at(35, 5), colShadow);
    EXPECT_EQ(canvas.at(36, 5), background);

    // Up: apex at the top middle, full width at the bottom. Points are filled when their
    // centre lies inside, so the apex row itself stays empty.
    EXPECT_EQ(canvas.at(8, 5), colInk);
    EXPECT_EQ(canvas.at(9, 5), colInk);
    EXPECT_EQ(canvas.at(5, 5), colFace);
    EXPECT_EQ(canvas.at(4, 13), colInk);
    EXPECT_EQ(canvas.at(13, 13), colInk);
    // Down: full width at the top, apex at the bottom middle.
    EXPECT_EQ(canvas.at(22, 4), colInk);
    EXPECT_EQ(canvas.at(31, 4), colInk);
    EXPECT_EQ(canvas.at(23, 12), colFace);
    EXPECT_EQ(canvas.at(27, 12), colInk);
    EXPECT_EQ(canvas.count(colInk, QRect(0, 0, 18, 18)),
              canvas.count(colInk, QRect(18, 0, 18, 18)));
    EXPECT_EQ(canvas.count(colInk, QRect(0, 0, 18, 4)), 0);
    EXPECT_EQ(canvas.count(colInk, QRect(0, 14, 36, 4)), 0);
}

TEST(ArrowPairPaint, lowPairsKeepTriangles6PointsHigh)
{
    // Height 10: the triangle box is 10 x 6, centred: rows 2..7.
    TestCanvas canvas;
    ArrowPair{.height = 10}.paint(canvas.painter(), QPointF(0, 0));
    EXPECT_EQ(canvas.count(colInk, QRect(0, 0, 36, 2)), 0);
    EXPECT_GT(canvas.count(colInk, QRect(0, 2, 36, 1)), 0);
    EXPECT_GT(canvas.count(colInk, QRect(0, 7, 36, 1)), 0);
    EXPECT_EQ(canvas.count(colInk, QRect(0, 8, 36, 2)), 0);
}

TEST(Triangles, fitTheirBox_apexUpOrDown)
{
    const QRectF box(10, 20, 8, 6);
    EXPECT_EQ(TriangleUp{}.path(box),
              QPolygonF({QPointF(14, 20), QPointF(18, 26), QPointF(10, 26)}));
    EXPECT_EQ(TriangleDown{}.path(box),
              QPolygonF({QPointF(10, 20), QPointF(18, 20), QPointF(14, 26)}));
}
