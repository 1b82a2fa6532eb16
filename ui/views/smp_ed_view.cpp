#include "views/smp_ed_view.h"

#include "toolkit/aliased_painting.h"
#include "toolkit/chrome_button.h"
#include "toolkit/inner_frame.h"
#include "toolkit/label.h"
#include "ui_tables.h"
#include "views/scope_canvas.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <optional>

using namespace VexaSmpEdMetrics;
using vexa::VexaSmpEdAction;

namespace {

struct ButtonEntry {
    VexaSmpEdAction action;
    const char *caption;
};

constexpr std::array<std::array<ButtonEntry, cols>, 2> buttonRows = {{
    {{{VexaSmpEdAction::play, "PLAY"},
      {VexaSmpEdAction::volDown, "VOL-"},
      {VexaSmpEdAction::volUp, "VOL+"},
      {VexaSmpEdAction::save, "SAVE"}}},
    {{{VexaSmpEdAction::cutHead, "CUTHD"},
      {VexaSmpEdAction::cutTail, "CUTTL"},
      {VexaSmpEdAction::trim, "TRIM"},
      {VexaSmpEdAction::clear, "CLR"}}},
}};

constexpr int64_t minMarkedLength = 4; // shorter samples show and take no markers
constexpr int64_t minMarkedLoop = 3;   // nor do shorter loops
constexpr uint32_t hex16 = 0xFFFF;
constexpr uint32_t hex8 = 0xFF;

// The loop as shown, A at its start and B at its end, both inside the sample; none for
// samples shorter than 4 bytes or loops shorter than 3.
struct Loop {
    int64_t a;
    int64_t b;
};

std::optional<Loop> shownLoop(const VexaSmpEdModel &m)
{
    if (m.length < minMarkedLength || m.loopLength < minMarkedLoop)
        return std::nullopt;
    return Loop{std::max<int64_t>(m.loopStart, 0),
                std::min(m.length, std::max<int64_t>(m.loopStart + m.loopLength, 0))};
}

// The markers' columns in a waveform area `areaWidth` wide.
std::optional<Loop> markerColumns(const VexaSmpEdModel &m, qreal areaWidth)
{
    const std::optional<Loop> loop = shownLoop(m);
    if (!loop)
        return std::nullopt;
    return Loop{static_cast<int64_t>(VexaSmpEdView::offToX(loop->a, areaWidth, m.length)),
                static_cast<int64_t>(VexaSmpEdView::offToX(loop->b, areaWidth, m.length))};
}

// Calls visit(button, top-left relative to the panel) for the eight buttons.
template <typename Visit> void forEachButton(const VexaSmpEdView &view, Visit visit)
{
    for (size_t r = 0; r < buttonRows.size(); ++r)
        for (size_t i = 0; i < cols; ++i) {
            const ButtonEntry &entry = buttonRows[r][i];
            VexaChrome::ChromeButton button{.title = QString::fromLatin1(entry.caption),
                                            .width = i + 1 == cols ? view.lastButtonWidth()
                                                                   : view.buttonWidth(),
                                            .height = buttonH,
                                            .fitsTitle = false};
            if (view.interactive && view.onAction)
                button.action = [onAction = view.onAction, action = entry.action] {
                    onAction(action);
                };
            visit(button,
                  QPointF(pad + i * (view.buttonWidth() + gap), view.rowY(static_cast<int>(r))));
        }
}

void paintMarker(QPainter &painter, const QRectF &area, int64_t x, bool next)
{
    painter.fillRect(QRectF(area.left() + x, area.top(), markerWidth, area.height()),
                     next ? VexaChrome::colHi : VexaChrome::colYellow);
}

} // namespace

QString VexaSmpEdView::titleText() const
{
    const auto hex = [](int64_t value) {
        return static_cast<unsigned>(static_cast<uint64_t>(value) & hex16);
    };
    const auto volume = static_cast<unsigned>(static_cast<uint64_t>(model.volume) & hex8);
    const int sample = static_cast<int>(model.sample);
    if (const std::optional<Loop> loop = shownLoop(model))
        return QString::asprintf("SMP:%02d LEN:%04X A:%04X B:%04X VOL:%02X", sample,
                                 hex(model.length), hex(loop->a), hex(loop->b), volume);
    return QString::asprintf("SMP:%02d LEN:%04X A:---- B:---- VOL:%02X", sample, hex(model.length),
                             volume);
}

QRectF VexaSmpEdView::waveBox() const
{
    return {pad, waveTop, width - 2 * pad, std::max(height - waveRoomBelow - gap, waveMinH)};
}

qreal VexaSmpEdView::buttonWidth() const
{
    return std::floor((width - 2 * pad - gap * (cols - 1)) / cols);
}

qreal VexaSmpEdView::lastButtonWidth() const
{
    return std::max(width - pad - (pad + (cols - 1) * (gap + buttonWidth())), 1.0);
}

qreal VexaSmpEdView::rowY(int row) const
{
    return row == 0 ? height - row1FromBottom - gap : height - row2FromBottom;
}

void VexaSmpEdView::paint(QPainter &painter, QPointF topLeft) const
{
    const AliasedPainting aliased(painter);
    painter.fillRect(QRectF(topLeft, QSizeF(width, height)), VexaChrome::colFace);
    VexaFont::Label{.text = titleText(),
                    .color = VexaChrome::colInk,
                    .scaleX = titleScaleX,
                    .scaleY = titleScaleY,
                    .shadow = true}
        .paint(painter, topLeft + QPointF(pad, titleY));
    const QRectF box = waveBox().translated(topLeft);
    const QRectF area = box.adjusted(waveBorder, waveBorder, -waveBorder, -waveBorder);
    std::vector<uint8_t> wave = model.wave;
    if (wave.empty())
        wave.assign(waveDefaultBytes, zeroLine);
    ScopeCanvas{.samples = std::move(wave)}.paint(painter, area);
    VexaChrome::paintInnerFrame(painter, box, waveBorder, VexaChrome::colShadow);
    if (const std::optional<Loop> m = markerColumns(model, area.width())) {
        paintMarker(painter, area, m->a, model.markNext == 0);
        paintMarker(painter, area, m->b, model.markNext == 1);
    }
    forEachButton(*this, [&](const VexaChrome::ChromeButton &button, QPointF at) {
        button.paint(painter, topLeft + at);
    });
}

void VexaSmpEdView::addHits(HitMap &hits, QPointF topLeft) const
{
    forEachButton(*this, [&](const VexaChrome::ChromeButton &button, QPointF at) {
        button.addHits(hits, topLeft + at);
    });
    HitArea wave{.rect = waveBox().translated(topLeft)};
    if (interactive) {
        // The marker a gesture moves lives as long as the gesture: the hit map keeps this
        // area, and so the shared state, from the press to the release.
        const auto dragWhich = std::make_shared<int>(0);
        const qreal areaWidth = wave.rect.width() - 2 * waveBorder;
        wave.press = [view = *this, dragWhich, areaWidth](QPointF local) {
            view.waveDragChanged(local.x() - waveBorder, areaWidth, *dragWhich);
        };
        wave.drag = wave.press;
        wave.release = [dragWhich](QPointF) { *dragWhich = 0; };
    }
    hits.add(std::move(wave));
}

void VexaSmpEdView::waveDragChanged(qreal x, qreal areaWidth, int &dragWhich) const
{
    if (model.length < minMarkedLength)
        return;
    const uint32_t off = xToOff(x, areaWidth, model.length);
    const auto mark = [&](int which) {
        if (onWaveMark)
            onWaveMark(which, off);
    };
    const auto makeNext = [&](int which) {
        if (onMarkNextChange)
            onMarkNextChange(which);
    };
    if (dragWhich != 0) {
        mark(dragWhich - 1);
        return;
    }
    const std::optional<Loop> m = markerColumns(model, areaWidth);
    const auto near = [x](qreal marker) {
        return marker - grabLeft <= x && x <= marker + grabRight;
    };
    if (m && (near(m->a) || near(m->b))) {
        const int grabbed = near(m->a) ? 0 : 1;
        dragWhich = grabbed + 1;
        makeNext(grabbed);
        mark(grabbed);
        return;
    }
    // A free press sets the next marker and hands the turn to the other one.
    const int which = model.markNext != 0 ? 1 : 0;
    dragWhich = which + 1;
    mark(which);
    makeNext(1 - which);
}

qreal VexaSmpEdView::offToX(int64_t off, qreal areaWidth, int64_t len)
{
    if (areaWidth <= 1 || len < 2)
        return 0;
    const auto lastColumn = static_cast<int64_t>(std::floor(areaWidth - 1));
    return static_cast<qreal>(std::min(off, len) * lastColumn / len);
}

uint32_t VexaSmpEdView::xToOff(qreal x, qreal areaWidth, int64_t len)
{
    const auto lastColumn = static_cast<int64_t>(std::floor(areaWidth - 1));
    if (areaWidth <= 1 || len < 2 || lastColumn < 1)
        return 0;
    const int64_t column = std::min(static_cast<int64_t>(std::max(std::floor(x), 0.0)),
                                    static_cast<int64_t>(std::floor(areaWidth)) - 1);
    const int64_t off = column * len / lastColumn;
    return static_cast<uint32_t>(std::min(len, off & ~int64_t{1}));
}
