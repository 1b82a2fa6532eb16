#include "views/mid_well_view.h"

#include "toolkit/aliased_painting.h"
#include "toolkit/inner_frame.h"
#include "toolkit/label.h"
#include "ui_tables.h"
#include "views/scope_canvas.h"
#include "views/analyser_canvas.h"
#include "views/splash_view.h"
#include "views/transpose_view.h"

using namespace VexaMidWellMetrics;
using vexa::VexaMidWellMode;
using vexa::VexaMidWellOverlay;

namespace {

// The area under a display's title: the rest of the well less the margins.
QRectF displayArea(const QRectF &well, const VexaFont::Label &label)
{
    const qreal top = titleY + label.size().height() + titleGap;
    return {well.left() + margin, well.top() + top, well.width() - 2 * margin,
            well.height() - top - margin};
}

void paintQuadrascope(QPainter &painter, const QRectF &well,
                      const std::vector<std::vector<uint8_t>> &scopes)
{
    const VexaFont::Label label =
        VexaFont::titleLabel(QStringLiteral("QUADRASCOPE"), VexaChrome::colInk);
    label.paint(painter, well.topLeft() + QPointF(titleX, titleY));
    const QRectF area = displayArea(well, label);
    const qreal boxW = (area.width() - (scopeCount - 1) * scopeGap) / scopeCount;
    for (int i = 0; i < scopeCount; ++i) {
        const QRectF box(area.left() + i * (boxW + scopeGap), area.top(), boxW, area.height());
        const size_t index = static_cast<size_t>(i);
        ScopeCanvas{.samples = index < scopes.size() ? scopes[index] : std::vector<uint8_t>{}}
            .paint(painter, box);
        VexaChrome::paintInnerFrame(painter, box, scopeBorder, VexaChrome::colShadow);
    }
}

void paintSpectrum(QPainter &painter, const QRectF &well, const std::vector<uint8_t> &bins)
{
    painter.fillRect(well, VexaChrome::colInk);
    const VexaFont::Label label =
        VexaFont::titleLabel(QStringLiteral("SPECTRUM ANALYZER"), VexaChrome::colHi);
    label.paint(painter, well.topLeft() + QPointF(titleX, titleY));
    SpectrumCanvas{.bins = bins}.paint(painter, displayArea(well, label));
}

} // namespace

void VexaMidWellView::paint(QPainter &painter, QPointF topLeft) const
{
    const AliasedPainting aliased(painter);
    const QRectF well(topLeft, QSizeF(width, height));
    painter.fillRect(well, VexaChrome::colFace);
    switch (overlay) {
    case VexaMidWellOverlay::diskOp:
        VexaDiskOpView{.width = width, .height = height}.paint(painter, topLeft);
        break;
    case VexaMidWellOverlay::transpose:
        VexaTransposeView{.width = width, .height = height}.paint(painter, topLeft);
        break;
    case VexaMidWellOverlay::smpEd:
        if (smpEdModel)
            VexaSmpEdView{.width = width, .height = height, .model = *smpEdModel}.paint(painter,
                                                                                        topLeft);
        break;
    case VexaMidWellOverlay::none:
        if (mode == VexaMidWellMode::quadrascope)
            paintQuadrascope(painter, well, scopes);
        else if (mode == VexaMidWellMode::spectrum)
            paintSpectrum(painter, well, spectrum);
        else
            VexaSplashView{.picture = splash}.paint(
                painter, well.adjusted(splashInset, splashInset, -splashInset, -splashInset));
        break;
    }
    VexaChrome::paintInnerFrame(painter, well, 1, VexaChrome::colShadow);
}

void VexaMidWellView::addHits(HitMap &hits, QPointF topLeft) const
{
    switch (overlay) {
    case VexaMidWellOverlay::diskOp:
        VexaDiskOpView{
            .width = width, .height = height, .interactive = bool(onDiskOp), .onAction = onDiskOp}
            .addHits(hits, topLeft);
        break;
    case VexaMidWellOverlay::transpose:
        VexaTransposeView{.width = width,
                          .height = height,
                          .interactive = bool(onTranspose),
                          .onAction = onTranspose}
            .addHits(hits, topLeft);
        break;
    case VexaMidWellOverlay::smpEd:
        if (smpEdModel)
            VexaSmpEdView{.width = width,
                          .height = height,
                          .model = *smpEdModel,
                          .interactive = bool(onSmpEd),
                          .onAction = onSmpEd,
                          .onWaveMark = onSmpEdWaveMark,
                          .onMarkNextChange = onSmpEdMarkNext}
                .addHits(hits, topLeft);
        break;
    case VexaMidWellOverlay::none:
        break;
    }
}
