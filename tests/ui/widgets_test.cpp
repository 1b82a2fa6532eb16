// The toolkit's widgets painted and clicked: bevels (edges, corners, the pressed look),
// chrome buttons (title fitting and placement, whole bevels on the screen's button grid,
// clipping, clicks), labels (box size and drop shadow), arrow pairs (hit areas, the
// disabled pair, the triangles painted), and none of them smoothed.
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

TEST(Bevel, edgeColours_cornersTakenByBottomAndRight_pressedSwaps)
{
    // A 10 x 6 bevel painted at (2, 3): x 2..11, y 3..8. Probes: face, top, left, bottom,
    // right, then the corners top-left, top-right, bottom-left, bottom-right.
    const QPoint probes[] = {{6, 5}, {6, 3},  {2, 5}, {6, 8}, {11, 5},
                             {2, 3}, {11, 3}, {2, 8}, {11, 8}};
    const struct {
        Bevel bevel;
        std::array<QColor, 9> colours;
    } cases[] = {
        {{}, {face, hi, hi, shadow, shadow, hi, shadow, shadow, shadow}},
        {{.pressed = true}, {face2, shadow, shadow, hi, hi, shadow, hi, hi, hi}},
        {{.fill = well}, {well, hi, hi, shadow, shadow, hi, shadow, shadow, shadow}},
        {{.pressed = true, .fill = well}, {well, shadow, shadow, hi, hi, shadow, hi, hi, hi}},
        {{.edges = Bevel::left}, {face, face, hi, face, face, hi, face, hi, face}},
        {{.edges = Bevel::top}, {face, hi, face, face, face, hi, hi, face, face}},
        {{.edges = Bevel::right}, {face, face, face, face, shadow, face, shadow, face, shadow}},
        {{.edges = Bevel::bottom}, {face, face, face, shadow, face, face, face, shadow, shadow}},
        {{.edges = Bevel::left | Bevel::top | Bevel::bottom},
         {face, hi, hi, shadow, face, hi, hi, shadow, shadow}},
    };
    for (const auto &c : cases) {
        TestCanvas canvas;
        Bevel bevel = c.bevel;
        bevel.width = 10;
        bevel.height = 6;
        bevel.paint(canvas.painter(), QPointF(2, 3));
        for (size_t p = 0; p < std::size(probes); ++p)
            EXPECT_EQ(canvas.at(probes[p].x(), probes[p].y()), c.colours[p])
                << "edges " << bevel.edges << " pressed " << bevel.pressed << " probe " << p;
        EXPECT_EQ(canvas.count(background), 64 * 32 - 60); // exactly its box
    }
}

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

TEST(ChromeButtonPaint, titleCentredThen2PointsDown_whiteOverItsShadow_sameWhenPressed)
{
    // A 41 x 31 button titled "I": the label box is 15 x 17, so the title's top-left lands
    // at (13, 9). The shipped "I" has a full top bar in columns 0..5.
    for (const bool pressed : {false, true}) {
        TestCanvas canvas;
        ChromeButton{.title = "I", .width = 41, .height = 31, .pressed = pressed}.paint(
            canvas.painter(), QPointF(0, 0));
        const QColor buttonFace = pressed ? face2 : face;
        EXPECT_EQ(canvas.at(13, 9), hi);
        EXPECT_EQ(canvas.at(24, 10), hi);
        EXPECT_EQ(canvas.at(12, 9), buttonFace);
        EXPECT_EQ(canvas.at(13, 8), buttonFace);
        EXPECT_EQ(canvas.at(25, 11), dim);
        EXPECT_EQ(canvas.at(26, 10), buttonFace);
        EXPECT_EQ(canvas.at(5, 0), pressed ? shadow : hi);
        EXPECT_EQ(canvas.at(40, 5), pressed ? hi : shadow);
    }
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

TEST(Label, shadowIsADimCopyOnePointRightAndDown_underTheText)
{
    GlyphTable dot{}; // "A" is a single ink point at column 0, row 0
    dot['A' - firstGlyphCode][0] = 0x80;
    TestCanvas canvas;
    Label{.text = "AA", .color = ink, .scaleX = 2, .scaleY = 2, .shadow = true}.paint(
        canvas.painter(), QPointF(10, 4), dot);
    // Text squares at (10..11, 4..5) and (24..25, 4..5); shadows one point right and down.
    EXPECT_EQ(canvas.at(11, 5), ink); // the text covers the shadow where they overlap
    EXPECT_EQ(canvas.at(12, 6), dim);
    EXPECT_EQ(canvas.at(12, 5), dim);
    EXPECT_EQ(canvas.at(26, 6), dim);
    EXPECT_EQ(canvas.count(dim), 2 * 3);
    EXPECT_EQ(canvas.count(ink), 2 * 4);
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

TEST(ArrowPair, paintsTwoRaisedButtonsWithAnUpAndADownTriangle)
{
    // At (0, 0) with height 18 each triangle fills the 10 x 10 box at 4..13 of its button;
    // points are filled when their centre lies inside, so the apex row stays empty.
    TestCanvas canvas;
    ArrowPair{.height = 18}.paint(canvas.painter(), QPointF(0, 0));
    EXPECT_EQ(canvas.at(0, 0), hi);
    EXPECT_EQ(canvas.at(17, 17), shadow);
    EXPECT_EQ(canvas.at(18, 0), hi); // the down button's own left edge
    EXPECT_EQ(canvas.at(36, 5), background);
    EXPECT_EQ(canvas.at(8, 5), ink); // up: apex at the top middle
    EXPECT_EQ(canvas.at(5, 5), face);
    EXPECT_EQ(canvas.at(4, 13), ink);
    EXPECT_EQ(canvas.at(13, 13), ink);
    EXPECT_EQ(canvas.at(22, 4), ink); // down: full width at the top
    EXPECT_EQ(canvas.at(23, 12), face);
    EXPECT_EQ(canvas.at(27, 12), ink);
    EXPECT_EQ(canvas.count(ink, QRect(0, 0, 18, 18)), canvas.count(ink, QRect(18, 0, 18, 18)));
    EXPECT_EQ(canvas.count(ink, QRect(0, 0, 36, 4)) + canvas.count(ink, QRect(0, 14, 36, 4)), 0);

    // Height 10: the triangle box is 10 x 6, centred: rows 2..7.
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
