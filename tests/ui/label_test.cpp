// Labels: the box they occupy and the drop shadow under the text.
#include "test_canvas.h"
#include "toolkit/label.h"
#include "ui_tables.h"

#include <gtest/gtest.h>

using namespace uitest;
using VexaFont::Label;

namespace {

const QColor ink{0, 0, 0};

// "A" is a single ink point at column 0, row 0.
GlyphTable dotTable()
{
    GlyphTable table{};
    table['A' - firstGlyphCode][0] = 0x80;
    return table;
}

} // namespace

TEST(LabelBox, isSevenPointsPerCharacterByEightRows_timesTheScale)
{
    const struct {
        Label label;
        QSizeF size;
    } cases[] = {
        {{.text = "POSITION", .scaleX = 2, .scaleY = 2}, {112, 16}},
        {{.text = "POSITION", .scaleX = 2, .scaleY = 2, .shadow = true}, {113, 17}},
        {{.text = "AB", .scaleX = 3, .scaleY = 1}, {42, 8}},
        {{.text = "AB", .scaleX = 0, .scaleY = -2}, {14, 8}},
        {{.text = "", .scaleX = 2, .scaleY = 2, .shadow = true}, {1, 17}},
        {{.text = QString::fromUtf16(u"\U0001F600x"), .scaleX = 1, .scaleY = 1}, {14, 8}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.label.size(), c.size) << c.label.text.toStdString();
}

TEST(LabelShadow, isADimCopyOnePointRightAndDown_underTheText)
{
    TestCanvas canvas;
    const Label label{.text = "AA", .color = ink, .scaleX = 2, .scaleY = 2, .shadow = true};
    label.paint(canvas.painter(), QPointF(10, 4), dotTable());
    // Text squares at (10..11, 4..5) and (24..25, 4..5); shadows one point right and down.
    EXPECT_EQ(canvas.at(10, 4), ink);
    EXPECT_EQ(canvas.at(11, 5), ink); // the text covers the shadow where they overlap
    EXPECT_EQ(canvas.at(12, 6), VexaChrome::colDim);
    EXPECT_EQ(canvas.at(12, 5), VexaChrome::colDim);
    EXPECT_EQ(canvas.at(11, 6), VexaChrome::colDim);
    EXPECT_EQ(canvas.at(26, 6), VexaChrome::colDim);
    EXPECT_EQ(canvas.count(VexaChrome::colDim, QRect(0, 0, 64, 32)), 2 * 3);
    EXPECT_EQ(canvas.count(ink, QRect(0, 0, 64, 32)), 2 * 4);
}
