// The middle well: the scope trace, the splash picture's cover scaling without smoothing,
// and what an overlay shows instead. The spectrum's colour ramp and bars are in the
// golden image.
#include "test_canvas.h"
#include "view_states.h"
#include "views/mid_well_view.h"
#include "views/scope_canvas.h"
#include "views/splash_view.h"

#include <gtest/gtest.h>

using namespace uitest;
using vexa::VexaMidWellMode;
using vexa::VexaMidWellOverlay;

namespace {

constexpr QColor yellow{255, 255, 0}, blue{0, 102, 187}, red{204, 0, 0};

QImage paintWell(VexaMidWellView view)
{
    view.width = 415;
    view.height = 107;
    TestCanvas canvas(415, 107);
    view.paint(canvas.painter(), QPointF(0, 0));
    return canvas.image();
}

QImage twoColourPicture(QSize size)
{
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(red);
    picture.setPixelColor(size.width() - 1, size.height() - 1, blue);
    return picture;
}

} // namespace

TEST(ScopeCanvas, traceRunsFromFFAtTheTopTo00AtTheBottom_flatJustBelowTheMiddle)
{
    const struct {
        std::vector<uint8_t> samples;
        int yellowRows[2]; // first and last row with trace, or -1 for none
    } cases[] = {
        {std::vector<uint8_t>(128, 0x80), {40, 40}}, // 81 x 127 / 255 = 40.3
        {{0xFF, 0x00}, {0, 81}},
        {{0x80}, {-1, -1}},
        {{}, {-1, -1}},
    };
    for (const auto &c : cases) {
        TestCanvas canvas(100, 82);
        ScopeCanvas{.samples = c.samples}.paint(canvas.painter(), QRectF(0, 0, 100, 82));
        int first = -1, last = -1;
        for (int y = 0; y < 82; ++y)
            if (canvas.count(yellow, QRect(0, y, 100, 1)) > 0) {
                first = first < 0 ? y : first;
                last = y;
            }
        EXPECT_EQ(std::pair(first, last), std::pair(c.yellowRows[0], c.yellowRows[1]))
            << c.samples.size() << " samples";
        EXPECT_EQ(canvas.count(ink) + canvas.count(yellow), 100 * 82);
    }
}

TEST(SplashView, pictureCoversTheWellInsideItsBorder_centred_neverSmoothed)
{
    // A 2 x 1 picture covers 413 x 105 by scaling to 413 x 206.5 (cropped top and bottom);
    // a 1 x 2 one by scaling to 413 x 826: its two points meet at the well's middle row.
    const struct {
        QSize size;
        QPoint inFirst, inSecond;
    } cases[] = {{{2, 1}, {100, 50}, {300, 50}}, {{1, 2}, {200, 30}, {200, 80}}};
    for (const auto &c : cases) {
        const QImage image = paintWell({.splash = twoColourPicture(c.size)});
        EXPECT_EQ(image.pixelColor(c.inFirst), red);
        EXPECT_EQ(image.pixelColor(c.inSecond), blue);
        EXPECT_EQ(countIn(image, red) + countIn(image, blue), 413 * 105);
        EXPECT_EQ(countIn(image, shadow), 2 * 415 + 2 * 105);
    }
    EXPECT_EQ(paintWell({.splash = readSplashPicture("/nonexistent/Splash.png")}), paintWell({}));
}

TEST(MidWellView, anOpenOverlayHidesTheDisplay_theEditorWithoutAModelShowsOnlyTheFace)
{
    for (const VexaMidWellOverlay overlay :
         {VexaMidWellOverlay::diskOp, VexaMidWellOverlay::transpose, VexaMidWellOverlay::smpEd})
        EXPECT_EQ(paintWell({.mode = VexaMidWellMode::spectrum,
                             .overlay = overlay,
                             .spectrum = busySpectrum(),
                             .smpEdModel = loopedSample()}),
                  paintWell({.overlay = overlay, .smpEdModel = loopedSample()}));
    TestCanvas canvas(415, 107);
    VexaMidWellView{.overlay = VexaMidWellOverlay::smpEd, .width = 415, .height = 107}.paint(
        canvas.painter(), QPointF(0, 0));
    EXPECT_EQ(canvas.count(face), 413 * 105);
    EXPECT_EQ(canvas.count(shadow), 2 * 415 + 2 * 105);
}
