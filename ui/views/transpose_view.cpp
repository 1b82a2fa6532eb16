#include "views/transpose_view.h"

#include "toolkit/aliased_painting.h"
#include "toolkit/chrome_button.h"
#include "toolkit/label.h"
#include "ui_tables.h"

#include <algorithm>
#include <array>
#include <cmath>

using namespace VexaPanelMetrics;

namespace {

constexpr std::array<VexaTransposeAction, 4> actions = {
    VexaTransposeAction::noteUp, VexaTransposeAction::noteDown, VexaTransposeAction::octaveUp,
    VexaTransposeAction::octaveDown};
constexpr qreal charW = VexaChrome::buttonTitlePointsPerChar;

// Calls visit(button, top-left corner relative to the panel) for the eight buttons.
template <typename Visit> void forEachButton(const VexaTransposeView &view, Visit visit)
{
    const VexaTransposeView::Layout l = view.layout();
    for (size_t i = 0; i < actions.size(); ++i) {
        const qreal y = l.top + i * (l.rowH + transposeRowGap);
        for (const bool trackOnly : {true, false}) {
            VexaChrome::ChromeButton button{.title = transposeTitle(actions[i]),
                                            .width = l.colW,
                                            .height = l.rowH,
                                            .fitsTitle = false};
            if (view.interactive && view.onAction)
                button.action = [onAction = view.onAction, trackOnly,
                                 semitones = transposeSemitones(actions[i])] {
                    onAction(trackOnly, semitones);
                };
            visit(button, QPointF(trackOnly ? transposePad : l.col2x, y));
        }
    }
}

} // namespace

std::optional<VexaTransposeAction> transposeActionFromRaw(int raw)
{
    if (raw < 0 || raw >= static_cast<int>(actions.size()))
        return std::nullopt;
    return actions[static_cast<size_t>(raw)];
}

int transposeSemitones(VexaTransposeAction action)
{
    constexpr int octave = 12;
    switch (action) {
    case VexaTransposeAction::noteUp:
        return 1;
    case VexaTransposeAction::noteDown:
        return -1;
    case VexaTransposeAction::octaveUp:
        return octave;
    case VexaTransposeAction::octaveDown:
        return -octave;
    }
    return 0;
}

QString transposeTitle(VexaTransposeAction action)
{
    switch (action) {
    case VexaTransposeAction::noteUp:
        return QStringLiteral("NOTE UP");
    case VexaTransposeAction::noteDown:
        return QStringLiteral("NOTE DOWN");
    case VexaTransposeAction::octaveUp:
        return QStringLiteral("OCTAVE UP");
    case VexaTransposeAction::octaveDown:
        return QStringLiteral("OCTAVE DOWN");
    }
    return {};
}

VexaTransposeView::Layout VexaTransposeView::layout() const
{
    const qreal colW = std::floor((width - 2 * transposePad - transposeColGap) * 0.5);
    const qreal top = transposePad + transposeHeaderH;
    const qreal avail = std::max(height - transposePad - top, transposeMinAvail);
    const int rows = static_cast<int>(actions.size());
    const qreal gaps = (rows - 1) * transposeRowGap;
    qreal rowH = std::clamp(std::floor((avail - gaps) / rows), transposeMinRowH, transposeMaxRowH);
    while (rowH > transposeShrinkFloor && avail < gaps + rows * rowH)
        rowH -= 1;
    return {.colW = colW, .col2x = transposePad + colW + transposeColGap, .top = top, .rowH = rowH};
}

void VexaTransposeView::paint(QPainter &painter, QPointF topLeft) const
{
    const AliasedPainting aliased(painter);
    painter.fillRect(QRectF(topLeft, QSizeF(width, height)), VexaChrome::colFace);
    const Layout l = layout();
    const QString titles[] = {QStringLiteral("TRACK"), QStringLiteral("TRANSPOSE"),
                              QStringLiteral("PATTERN")};
    const qreal xs[] = {transposePad, (width - titles[1].size() * charW) * 0.5,
                        l.col2x + l.colW - titles[2].size() * charW};
    for (size_t k = 0; k < std::size(titles); ++k)
        VexaFont::titleLabel(titles[k], VexaChrome::colHi)
            .paint(painter, topLeft + QPointF(xs[k], transposePad));
    forEachButton(*this, [&](const VexaChrome::ChromeButton &button, QPointF at) {
        button.paint(painter, topLeft + at);
    });
}

void VexaTransposeView::addHits(HitMap &hits, QPointF topLeft) const
{
    forEachButton(*this, [&](const VexaChrome::ChromeButton &button, QPointF at) {
        button.addHits(hits, topLeft + at);
    });
}
