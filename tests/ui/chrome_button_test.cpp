// Chrome buttons: title fitting, where the title lands, clipping, the pressed look, and
// clicks over the whole box.
#include "test_canvas.h"
#include "toolkit/chrome_button.h"
#include "ui_tables.h"

#include <gtest/gtest.h>

using namespace uitest;
using namespace VexaChrome;

TEST(ChromeButtonTitle, keepsTheCharactersThatFitAt14PointsEach_from1To14)
{
    const struct {
        const char *title;
        qreal width;
        const char *shown;
    } cases[] = {
        {"DISK OP.", 111.5, "DISK OP"},
        {"DISK OP.", 111.5133, "DISK OP"},
        {"DISK OP.", 112, "DISK OP."},
        {"TRANSPOSE", 153.0067, "TRANSPOSE"},
        {"PLAY SNG", 124.48, "PLAY SNG"},
        {"ABCDEFGHIJKLMNOP", 140, "ABCDEFGHIJ"},
        {"ABCDEFGHIJKLMNOP", 139.9, "ABCDEFGHI"},
        {"ABCDEFGHIJKLMNOP", 1000, "ABCDEFGHIJKLMN"},
        {"1", 26, "1"},
        {"HELP", 13.9, "H"},
        {"HELP", 0, "H"},
        {"HELP", -20, "H"},
        {"", 76, ""},
    };
    for (const auto &c : cases) {
        const ChromeButton button{.title = c.title, .width = c.width};
        EXPECT_EQ(button.fittedTitle(), c.shown) << c.title << " in " << c.width;
    }
}

TEST(ChromeButtonTitle, countsACharacterOutsideTheBasicPlaneAsOne)
{
    const ChromeButton button{.title = QString::fromUtf16(u"\U0001F600AB"), .width = 28};
    EXPECT_EQ(button.fittedTitle(), QString::fromUtf16(u"\U0001F600A"));
}

TEST(ChromeButtonPaint, titleIsCentredThenMoved2PointsDown_inWhiteOverItsShadow)
{
    // A 41 x 31 button at (0, 0) titled "I": the label box is 15 x 17, so the title's
    // top-left lands at (13, 9). The shipped "I" has a full top bar in columns 0..5.
    TestCanvas canvas;
    ChromeButton{.title = "I", .width = 41, .height = 31}.paint(canvas.painter(), QPointF(0, 0));
    EXPECT_EQ(canvas.at(13, 9), colHi);
    EXPECT_EQ(canvas.at(24, 10), colHi);
    EXPECT_EQ(canvas.at(12, 9), colFace);
    EXPECT_EQ(canvas.at(13, 8), colFace);
    EXPECT_EQ(canvas.at(25, 10), colDim);
    EXPECT_EQ(canvas.at(25, 11), colDim);
    EXPECT_EQ(canvas.at(26, 10), colFace);
}

TEST(ChromeButtonPaint, drawsNothingOutsideItsBox)
{
    // The title "W" is wider and taller than this 10 x 8 button at (20, 10).
    TestCanvas canvas;
    ChromeButton{.title = "W", .width = 10, .height = 8}.paint(canvas.painter(), QPointF(20, 10));
    const QRect box(20, 10, 10, 8);
    EXPECT_EQ(canvas.count(background, box), 0);
    EXPECT_EQ(canvas.count(background, QRect(0, 0, 64, 32)), 64 * 32 - 80);
    EXPECT_GT(canvas.count(colHi, box.adjusted(1, 1, -1, -1)), 0);
}

TEST(ChromeButtonPaint, pressedLooksSunken_withTheSameTitle)
{
    TestCanvas up, down;
    ChromeButton{.title = "I", .width = 41, .height = 31}.paint(up.painter(), QPointF(0, 0));
    ChromeButton{.title = "I", .width = 41, .height = 31, .pressed = true}.paint(down.painter(),
                                                                                 QPointF(0, 0));
    EXPECT_EQ(down.at(5, 5), colFace2);
    EXPECT_EQ(down.at(5, 0), colShadow);
    EXPECT_EQ(down.at(40, 5), colHi);
    EXPECT_EQ(down.at(13, 9), colHi);
    EXPECT_EQ(up.count(colHi, QRect(2, 2, 37, 27)), down.count(colHi, QRect(2, 2, 37, 27)));
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
