// The pattern well: its layout (shared with the screen's click mapping), the edit cursor
// on every field, the VU bar's height rule, and the text rules of rows and cells. The
// playhead shade and the grooves are in the golden image.
#include "test_canvas.h"
#include "view_states.h"
#include "views/pattern_row_view.h"
#include "views/pattern_well.h"
#include "views/vu_tube.h"

#include <gtest/gtest.h>

using namespace uitest;

namespace {

constexpr QColor red{204, 0, 0};

QImage paintWell(int64_t editCh, int64_t cursorPos)
{
    TestCanvas canvas(VexaCanvas::width, VexaCanvas::height);
    VexaPatternWell{.rows = patternRows(0x10),
                    .patY = 271,
                    .patH = 207,
                    .editCh = editCh,
                    .cursorPos = cursorPos}
        .paint(canvas.painter());
    return canvas.image();
}

// The bounding box of the points of a colour in the playhead row's band, and their number.
std::pair<QRect, int> pointsOf(const QImage &image, const QColor &color)
{
    QRect bounds;
    int count = 0;
    for (int y = 340; y < 400; ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == color) {
                bounds |= QRect(x, y, 1, 1);
                ++count;
            }
    return {bounds, count};
}

QImage paintRow(const vexa::PatternRowDisplay &row)
{
    TestCanvas canvas(632, 20);
    VexaPatternRowView{
        .row = row, .height = 16.1, .rowNumW = 38, .col0 = 54, .colW = 144.5, .scaleY = 2}
        .paint(canvas.painter(), QPointF(0, 0));
    return canvas.image();
}

} // namespace

TEST(PatternWellLayout, playheadRowTallest_othersShareTheRest_rowsCentredOrFromTheTop)
{
    const struct {
        qreal patY, patH;
        qreal midH, prowH, y0, playheadTop, vuMaxH, wellBot;
    } cases[] = {
        {271, 207, 40, 16.1, 274, 354.5, 80.5, 475}, // the screen's well
        {0, 204, 38, 16, 3, 83, 80, 201},            // the playhead row gives up 2 points
        {0, 150, 36, 16, 3, 83, 80, 147},            // too small: rows run past wellBot
        {10, 400, 40, 35.4, 13, 190, 177, 407},      // large: rows grow, the VU area too
    };
    for (const auto &c : cases) {
        const VexaPatternWell::Layout l = VexaPatternWell::layout(c.patY, c.patH);
        EXPECT_EQ(std::tuple(l.midH, l.prowH, l.y0, l.playheadTop, l.vuMaxH, l.wellBot),
                  std::tuple(c.midH, c.prowH, c.y0, c.playheadTop, c.vuMaxH, c.wellBot))
            << c.patY << " + " << c.patH;
        EXPECT_EQ(l.wellTop, c.patY + 3);
        EXPECT_DOUBLE_EQ(l.totalH, 10 * l.prowH + l.midH);
        EXPECT_EQ(l.col0 + 4 * l.colW, 632);
    }
}

TEST(PatternWellPaint, editCursorIsThreeRedFramesAroundTheFieldOfTheEditChannel)
{
    // Channel 0's text starts at canvas x 4 + 54 + 8.25, so the note's frame starts at
    // 74.25 - 11, point 63; the outer frame is 22 x 36, rows 358..393.
    const struct {
        int64_t editCh, cursorPos;
        int left;
    } cases[] = {
        {0, 0, 63},       {0, 1, 63 + 48},  {0, 2, 63 + 64},   {0, 3, 63 + 80}, {0, 4, 63 + 96},
        {0, 5, 63 + 112}, {0, 9, 63 + 112}, {0, -1, 63 + 112}, {2, 0, 352},     {3, 5, 497 + 112},
    };
    for (const auto &c : cases) {
        const auto [bounds, count] = pointsOf(paintWell(c.editCh, c.cursorPos), red);
        EXPECT_EQ(bounds, QRect(c.left, 358, 22, 36))
            << "channel " << c.editCh << " field " << c.cursorPos;
        EXPECT_EQ(count, (22 + 34) * 2 + (20 + 32) * 2 + (18 + 30) * 2);
    }
    EXPECT_EQ(pointsOf(paintWell(4, 0), red).second, 0); // no such channel: no cursor
}

TEST(VuTube, barHeightFollowsTheLevel_atLeast8PointsFromLevel1_neverPastTheBox)
{
    const struct {
        int64_t level;
        int rows;
    } cases[] = {{-3, 0}, {0, 0}, {1, 8}, {6, 8}, {8, 10}, {32, 40}, {64, 80}, {200, 80}};
    for (const auto &c : cases) {
        TestCanvas canvas(160, 90);
        VexaVuTube{.level = c.level}.paint(canvas.painter(), QRectF(0, 10, 144.5, 80));
        // The bar is 22 wide, centred: x 61.25..83.25; its colours are in the golden image.
        EXPECT_EQ(90 - canvas.count(background, QRect(72, 0, 1, 90)), c.rows) << c.level;
        EXPECT_EQ(160 - canvas.count(background, QRect(0, 89, 160, 1)), c.rows ? 22 : 0);
    }
}

TEST(PatternRowText, cellsPaddedWithDashesAndCutTo8_rowNumbersOutside0To63Blank)
{
    const auto row = [](int64_t number, std::array<std::string, 4> cells) {
        return vexa::PatternRowDisplay{number, number, std::move(cells), false};
    };
    const std::array<std::string, 4> blank = {"---00000", "---00000", "---00000", "---00000"};
    const struct {
        vexa::PatternRowDisplay shown, same;
    } cases[] = {
        {row(1, {"C-3", "", "D#2", "---00000"}),
         row(1, {"C-3-----", "--------", "D#2-----", "---00000"})},
        {row(1, {"C-301C40XYZ", "---0000099", "", ""}),
         row(1, {"C-301C40", "---00000", "--------", "--------"})},
        {row(64, blank), row(-3, blank)},
    };
    for (const auto &c : cases)
        EXPECT_EQ(paintRow(c.shown), paintRow(c.same)) << c.shown.rowNumber;
    EXPECT_NE(paintRow(row(63, blank)), paintRow(row(64, blank)));
    EXPECT_NE(paintRow(row(0, blank)), paintRow(row(-3, blank)));
}
