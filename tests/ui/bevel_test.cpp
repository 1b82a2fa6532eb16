// Bevels: the face, which edges get lines and in which colours, and the corner points
// that the bottom and right lines take because they are painted last.
#include "test_canvas.h"
#include "toolkit/bevel.h"
#include "ui_tables.h"

#include <gtest/gtest.h>

using namespace uitest;
using namespace VexaChrome;

namespace {

// A 10 x 6 bevel painted at (2, 3): x 2..11, y 3..8.
struct Painted {
    explicit Painted(Bevel bevel)
    {
        bevel.width = 10;
        bevel.height = 6;
        bevel.paint(canvas.painter(), QPointF(2, 3));
    }
    QColor topLeft() { return canvas.at(2, 3); }
    QColor topRight() { return canvas.at(11, 3); }
    QColor bottomLeft() { return canvas.at(2, 8); }
    QColor bottomRight() { return canvas.at(11, 8); }
    QColor top() { return canvas.at(6, 3); }
    QColor left() { return canvas.at(2, 5); }
    QColor bottom() { return canvas.at(6, 8); }
    QColor right() { return canvas.at(11, 5); }
    QColor face() { return canvas.at(6, 5); }

    TestCanvas canvas;
};

} // namespace

TEST(Bevel, raised_lightTopAndLeft_darkBottomAndRight)
{
    Painted p(Bevel{});
    EXPECT_EQ(p.face(), colFace);
    EXPECT_EQ(p.top(), colHi);
    EXPECT_EQ(p.left(), colHi);
    EXPECT_EQ(p.bottom(), colShadow);
    EXPECT_EQ(p.right(), colShadow);
    EXPECT_EQ(p.topLeft(), colHi);
    EXPECT_EQ(p.topRight(), colShadow);
    EXPECT_EQ(p.bottomLeft(), colShadow);
    EXPECT_EQ(p.bottomRight(), colShadow);
}

TEST(Bevel, pressed_swapsTheEdgeColours_andUsesTheDarkerFace)
{
    Painted p(Bevel{.pressed = true});
    EXPECT_EQ(p.face(), colFace2);
    EXPECT_EQ(p.top(), colShadow);
    EXPECT_EQ(p.left(), colShadow);
    EXPECT_EQ(p.bottom(), colHi);
    EXPECT_EQ(p.right(), colHi);
    EXPECT_EQ(p.topLeft(), colShadow);
    EXPECT_EQ(p.topRight(), colHi);
    EXPECT_EQ(p.bottomLeft(), colHi);
}

TEST(Bevel, noEdges_isAFlatFaceCoveringExactlyItsBox)
{
    Painted p(Bevel{.edges = 0});
    EXPECT_EQ(p.canvas.count(colFace, QRect(2, 3, 10, 6)), 60);
    EXPECT_EQ(p.canvas.count(colFace, QRect(0, 0, 64, 32)), 60);
}

TEST(Bevel, eachEdgeBitDrawsOnlyItsSide)
{
    const struct {
        int edges;
        QColor top, left, bottom, right;
    } cases[] = {
        {Bevel::left, colFace, colHi, colFace, colFace},
        {Bevel::top, colHi, colFace, colFace, colFace},
        {Bevel::right, colFace, colFace, colFace, colShadow},
        {Bevel::bottom, colFace, colFace, colShadow, colFace},
        {Bevel::left | Bevel::top | Bevel::bottom, colHi, colHi, colShadow, colFace},
    };
    for (const auto &c : cases) {
        Painted p(Bevel{.edges = c.edges});
        EXPECT_EQ(p.top(), c.top) << c.edges;
        EXPECT_EQ(p.left(), c.left) << c.edges;
        EXPECT_EQ(p.bottom(), c.bottom) << c.edges;
        EXPECT_EQ(p.right(), c.right) << c.edges;
    }
}

TEST(Bevel, givenFill_replacesTheFaceColourPressedOrNot)
{
    for (const bool pressed : {false, true}) {
        Painted p(Bevel{.pressed = pressed, .fill = colWell});
        EXPECT_EQ(p.face(), colWell);
        EXPECT_EQ(p.top(), pressed ? colShadow : colHi);
    }
}
