// One golden image per view in a representative state, compared point for point. Every
// view is painted with all of the painter's smoothing hints on: the views turn them off
// themselves, so the images stay pixel art whatever the caller's painter does.
#include "golden.h"
#include "source_tree.h"
#include "test_canvas.h"
#include "toolkit/vexa_font.h"
#include "view_states.h"
#include "views/disk_op_view.h"
#include "views/help_view.h"
#include "views/mid_well_view.h"
#include "views/pattern_well.h"
#include "views/smp_ed_view.h"
#include "views/splash_view.h"
#include "views/transpose_view.h"

#include <functional>

using namespace uitest;
using vexa::VexaMidWellMode;
using vexa::VexaMidWellOverlay;

namespace {

constexpr QSizeF midWell{415, 107};

QImage paintSmoothly(QSize size, const std::function<void(QPainter &)> &paint)
{
    QImage image(size, VexaCanvas::format);
    image.fill(VexaChrome::colFace);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform |
                           QPainter::TextAntialiasing);
    paint(painter);
    return image;
}

VexaPatternWell patternWell()
{
    return {.rows = patternRows(0x10),
            .levels = {64, 40, 1, 0},
            .patY = 271,
            .patH = 207,
            .editCh = 1,
            .cursorPos = 3};
}

QImage midWellImage(VexaMidWellView view)
{
    view.width = midWell.width();
    view.height = midWell.height();
    return paintSmoothly(midWell.toSize(),
                         [&](QPainter &painter) { view.paint(painter, QPointF(0, 0)); });
}

QImage screenWithHelp(int page)
{
    return paintSmoothly(QSize(VexaCanvas::width, VexaCanvas::height), [&](QPainter &painter) {
        patternWell().paint(painter);
        VexaHelpView{.page = page, .pageCount = 2}.paint(painter);
    });
}

// The review text at 2 x 2, then enlarged twice again so that each font pixel is 4 x 4.
QImage fontReview()
{
    const QImage text = paintSmoothly(QSize(23 * 14 + 8, 24), [](QPainter &painter) {
        VexaFont::draw(painter, u"SMP-ED NORMAL 0B80 8B0D", 4, 4, VexaChrome::colInk, 2, 2);
    });
    return text.scaled(text.size() * 2);
}

} // namespace

TEST(GoldenImages, everyViewPaintsAsReviewed_whateverThePainterHints)
{
    const struct {
        const char *name;
        std::function<QImage()> paint;
    } views[] = {
        {"pattern_well",
         [] {
             return paintSmoothly(QSize(VexaCanvas::width, VexaCanvas::height),
                                  [](QPainter &painter) { patternWell().paint(painter); })
                 .copy(0, 267, VexaCanvas::width, 213);
         }},
        {"mid_well_splash",
         [] {
             return midWellImage({.splash = readSplashPicture(sourcePath("resources/Splash.png"))});
         }},
        {"mid_well_quadrascope",
         [] {
             return midWellImage({.mode = VexaMidWellMode::quadrascope, .scopes = busyScopes()});
         }},
        {"mid_well_analyser",
         [] {
             return midWellImage({.mode = VexaMidWellMode::spectrum, .spectrum = busySpectrum()});
         }},
        {"smp_ed",
         [] {
             return midWellImage(
                 {.overlay = VexaMidWellOverlay::smpEd, .smpEdModel = loopedSample()});
         }},
        {"disk_op", [] { return midWellImage({.overlay = VexaMidWellOverlay::diskOp}); }},
        {"transpose", [] { return midWellImage({.overlay = VexaMidWellOverlay::transpose}); }},
        {"help_keys", [] { return screenWithHelp(0); }},
        {"help_credits", [] { return screenWithHelp(1); }},
        {"font_review", fontReview},
    };
    for (const auto &view : views)
        EXPECT_TRUE(matchesGolden(view.paint(), view.name));
}
