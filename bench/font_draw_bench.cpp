// Painting text with the bitmap font into the full 640 x 480 screen image: 2,000
// characters at 2 x 2, a little more text than the busiest screen shows. The screen
// repaints 30 times a second, so this must stay well under a frame (target: 2 ms).
#include "shipped_font.h"
#include "toolkit/vexa_font.h"
#include "ui_tables.h"

#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>

namespace {

constexpr int lineChars = 40;
constexpr int lines = 50;

void BM_Draw2000CharactersAt2x2(benchmark::State &state)
{
    if (!installShippedFont()) {
        state.SkipWithError("resources/ST20.FNT not found: run from the repository root");
        return;
    }
    QImage canvas(VexaCanvas::width, VexaCanvas::height, VexaCanvas::format);
    canvas.fill(VexaChrome::colFace);
    QPainter painter(&canvas);
    // Pattern-well-like text: notes, sample numbers, effects, separators.
    const QString line =
        QString::fromUtf16(u"C-3 1F 0C20|d#2 00 A0F1|").repeated(2).left(lineChars);
    const int lineHeight = 16;
    for (auto _ : state) {
        for (int i = 0; i < lines; ++i)
            VexaFont::draw(painter, line, 4, (i * lineHeight) % (VexaCanvas::height - lineHeight),
                           VexaChrome::colPatBlue, 2, 2);
    }
    painter.end();
    benchmark::DoNotOptimize(canvas.constBits());
    state.SetItemsProcessed(state.iterations() * lineChars * lines);
}
BENCHMARK(BM_Draw2000CharactersAt2x2)->Unit(benchmark::kMicrosecond);

} // namespace
