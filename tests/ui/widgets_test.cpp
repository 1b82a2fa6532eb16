// The toolkit's widgets painted and clicked: chrome buttons (title fitting, whole bevels
// on the screen's button grid, clipping, clicks), label boxes, arrow pairs (hit areas,
// the disabled pair, triangles of a low pair), and none of them smoothed. How bevels,
// buttons, labels and arrow pairs look is in the golden images of the whole screen.
#include "test_canvas.h"
#include "toolkit/arrow_pair.h"
#include "toolkit/chrome_button.h"
#include "toolkit/inner_frame.h"
#include "toolkit/label.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using namespace uitest;
using namespace VexaChrome;
using VexaFont::Label;

TEST(ChromeButtonTitle, keepsTheCharactersThatFitAt14PointsEach_from1To14)
{
    const struct {
        QString title;
        qreal width;
        QString shown;
    } cases[] = {
        {"DISK OP.", 111.5, "DISK OP"},
        {"DISK OP.", 112, "DISK OP."},
        {"TRANSPOSE", 153.0067, "TRANSPOSE"},
        {"ABCDEFGHIJKLMNOP", 140, "ABCDEFGHIJ"},
        {"ABCDEFGHIJKLMNOP", 139.9, "ABCDEFGHI"},
        {"ABCDEFGHIJKLMNOP", 1000, "ABCDEFGHIJKLMN"},
        {"HELP", 13.9, "H"},
        {"HELP", -20, "H"},
        {"", 76, ""},
        {QString::fromUtf16(u"\U0001F600AB"), 28, QString::fromUtf16(u"\U0001F600A")},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ChromeButton({.title = c.title, .width = c.width}).fittedTitle(), c.shown)
            << c.title.toStdString() << " in " << c.width;
}

TEST(ChromeButtonPaint, drawsNothingOutsideItsBox)
{
    // The title "W" is wider and taller than this 10 x 8 button at (20, 10).
    TestCanvas canvas;
    ChromeButton{.title = "W", .width = 10, .height = 8}.paint(canvas.painter(), QPointF(20, 10));
    EXPECT_EQ(canvas.count(background), 64 * 32 - 80);
    EXPECT_GT(canvas.count(hi, QRect(21, 11, 8, 6)), 0);
}

TEST(ChromeButtonClick, pressAndReleaseInsideTheWholeBox_runTheAction)
{
    const struct {
        QPointF pressAt, releaseAt;
        int runs;
    } cases[] = {
        {{100, 50}, {100, 50}, 1},   {{124.4, 67.9}, {124.4, 67.9}, 1}, // far corner
        {{101, 51}, {150, 51}, 0},                                      // released outside
        {{99, 51}, {101, 51}, 0},                                       // pressed outside
        {{124.5, 60}, {110, 60}, 0},                                    // the right edge is outside
    };
    for (const auto &c : cases) {
        int runs = 0;
        HitMap hits;
        ChromeButton{.title = "STOP", .width = 24.5, .height = 18, .action = [&] { ++runs; }}
            .addHits(hits, QPointF(100, 50));
        hits.press(c.pressAt);
        hits.release(c.releaseAt);
        EXPECT_EQ(runs, c.runs) << c.pressAt.x() << "," << c.pressAt.y();
    }
}

TEST(Label, boxIsSevenPointsPerCharacterByEight_timesTheScale_plusOneWithShadow)
{
    const struct {
        Label label;
        QSizeF size;
    } cases[] = {
        {{.text = "POSITION", .scaleX = 2, .scaleY = 2}, {112, 16}},
        {{.text = "POSITION", .scaleX = 2, .scaleY = 2, .shadow = true}, {113, 17}},
        {{.text = "AB", .scaleX = 3, .scaleY = 1}, {42, 8}},
        {{.text = "AB", .scaleX = 0, .scaleY = -2}, {14, 8}},
        {{.text = QString::fromUtf16(u"\U0001F600x"), .scaleX = 1, .scaleY = 1}, {14, 8}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.label.size(), c.size) << c.label.text.toStdString();
}

TEST(ArrowPair, leftButtonIsUp_rightIsDown_eachAwWide_disabledTakesClicksForNothing)
{
    const struct {
        QPointF at;
        int up, down;
    } cases[] = {
        {{184, 4}, 1, 0},  {{201.9, 21.9}, 1, 0}, {{202, 4}, 0, 1},  {{219.9, 21.9}, 0, 1},
        {{220, 10}, 0, 0}, {{183.9, 10}, 0, 0},   {{190, 22}, 0, 0}, {{190, 3.9}, 0, 0},
    };
    for (const bool enabled : {true, false})
        for (const auto &c : cases) {
            int up = 0, down = 0, below = 0;
            HitMap hits;
            hits.add(HitArea::click(QRectF(0, 0, 640, 480), [&] { ++below; }));
            ArrowPair{
                .height = 18, .up = [&] { ++up; }, .down = [&] { ++down; }, .enabled = enabled}
                .addHits(hits, QPointF(184, 4));
            hits.press(c.at);
            hits.release(c.at);
            const bool onPair = c.up + c.down > 0;
            EXPECT_EQ(up, enabled ? c.up : 0) << c.at.x() << "," << c.at.y();
            EXPECT_EQ(down, enabled ? c.down : 0) << c.at.x() << "," << c.at.y();
            EXPECT_EQ(below, onPair ? 0 : 1) << c.at.x() << "," << c.at.y();
        }
}

TEST(ArrowPair, aLowPairKeepsItsTrianglesSixPointsHighAndCentred)
{
    // Height 10 leaves 2 points for a triangle; it keeps 6, in rows 2..7.
    TestCanvas low;
    ArrowPair{.height = 10}.paint(low.painter(), QPointF(0, 0));
    EXPECT_EQ(low.count(ink, QRect(0, 0, 36, 2)) + low.count(ink, QRect(0, 8, 36, 2)), 0);
    EXPECT_GT(low.count(ink, QRect(0, 2, 36, 1)), 0);
    EXPECT_GT(low.count(ink, QRect(0, 7, 36, 1)), 0);
}

TEST(ChromeButtonPaint, titlesOnTheScreensButtonGridLeaveEveryBevelEdgeWhole)
{
    // The sixteen 18-high buttons of the screen: three columns of four and the channel
    // buttons. Centring a title in 18 points lands on a half point; the title must take
    // the upper one, or its shadow covers the bevel's bottom line.
    struct Button {
        QString title;
        qreal x, width;
        int row;
    };
    std::vector<Button> grid;
    const char *titles[3][4] = {{"PLAY SNG", "PLAY PTN", "REC SNG", "REC PTN"},
                                {"STOP", "EDIT", "TRANSPOSE", "FILTER"},
                                {"DISK OP.", "SMP-ED", "NOP", "CLEAR"}};
    const qreal columnX[] = {221, 345.48, 498.4867}, columnW[] = {124.48, 153.0067, 111.5133};
    for (int column = 0; column < 3; ++column)
        for (int row = 0; row < 4; ++row)
            grid.push_back({titles[column][row], columnX[column], columnW[column], row});
    for (int row = 0; row < 4; ++row)
        grid.push_back({QString::number(row + 1), 610, 26, row});
    for (const bool pressed : {false, true}) {
        TestCanvas canvas(640, 80);
        for (const Button &b : grid)
            ChromeButton{.title = b.title, .width = b.width, .height = 18, .pressed = pressed}
                .paint(canvas.painter(), QPointF(b.x, 3 + 18 * b.row));
        for (const Button &b : grid) {
            const int top = 3 + 18 * b.row, left = qRound(b.x) + 2;
            const QRect inside(left, top, qRound(b.x + b.width) - 2 - left, 1);
            EXPECT_EQ(canvas.count(pressed ? shadow : hi, inside), inside.width())
                << b.title.toStdString();
            EXPECT_EQ(canvas.count(pressed ? hi : shadow, inside.translated(0, 17)), inside.width())
                << b.title.toStdString() << (pressed ? " pressed" : "");
        }
    }
}

TEST(ToolkitPaint, smoothingHintsOfTheCallersPainterChangeNothing_andAreKept)
{
    const std::function<void(QPainter &)> widgets[] = {
        [](QPainter &p) { Bevel{.width = 10.5, .height = 7.5}.paint(p, QPointF(2.5, 3.25)); },
        [](QPainter &p) {
            ChromeButton{.title = "AB", .width = 40.7, .height = 18}.paint(p, QPointF(3.3, 2.5));
        },
        [](QPainter &p) { ArrowPair{.height = 17.5}.paint(p, QPointF(1.5, 1.5)); },
        [](QPainter &p) { VexaFont::draw(p, u"W#8", 0.5, 0.5, ink, 2, 3); },
        [](QPainter &p) { paintInnerFrame(p, QRectF(0.5, 0.5, 30.3, 20.7), 2, dim); },
    };
    const auto hints = QPainter::Antialiasing | QPainter::SmoothPixmapTransform;
    for (size_t w = 0; w < std::size(widgets); ++w) {
        TestCanvas plain, smooth;
        widgets[w](plain.painter());
        smooth.painter().setRenderHints(hints);
        widgets[w](smooth.painter());
        EXPECT_EQ(smooth.painter().renderHints() & hints, hints) << "widget " << w;
        EXPECT_EQ(smooth.image(), plain.image()) << "widget " << w;
    }
}
