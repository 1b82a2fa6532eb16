// Painting the busiest views into the 640 x 480 screen image, as the screen does on every
// display tick (30 a second, so each must stay well under the 33 ms frame; target: the
// pattern well under 2 ms, the spectrum with every bar full under 5 ms).
#include "shipped_font.h"
#include "ui_tables.h"
#include "views/mid_well_view.h"
#include "views/pattern_well.h"

#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>

#include <functional>

namespace {

constexpr QPointF midWellAt{221, 76};

void paintRepeatedly(benchmark::State &state, const std::function<void(QPainter &)> &paint)
{
    if (!installShippedFont()) {
        state.SkipWithError("resources/ST20.FNT not found: run from the repository root");
        return;
    }
    QImage canvas(VexaCanvas::width, VexaCanvas::height, VexaCanvas::format);
    canvas.fill(VexaChrome::colFace);
    QPainter painter(&canvas);
    for (auto _ : state)
        paint(painter);
    painter.end();
    benchmark::DoNotOptimize(canvas.constBits());
}

void BM_PaintPatternWell(benchmark::State &state)
{
    VexaPatternWell well{.levels = {64, 48, 32, 16}, .patY = 271, .patH = 207, .editCh = 2};
    well.rows = vexa::PatternRowDisplay::blankWell(32);
    for (vexa::PatternRowDisplay &row : well.rows)
        row.cells = {"C#3 1F0C", "D-2 0A20", "G#1 1C40", "B-3 0F06"};
    paintRepeatedly(state, [&](QPainter &painter) { well.paint(painter); });
}
BENCHMARK(BM_PaintPatternWell)->Unit(benchmark::kMicrosecond);

void BM_PaintSpectrumEveryBarFull(benchmark::State &state)
{
    const VexaMidWellView view{.mode = vexa::VexaMidWellMode::spectrum,
                               .spectrum = std::vector<uint8_t>(24, 63),
                               .width = 415,
                               .height = 107};
    paintRepeatedly(state, [&](QPainter &painter) { view.paint(painter, midWellAt); });
}
BENCHMARK(BM_PaintSpectrumEveryBarFull)->Unit(benchmark::kMicrosecond);

void BM_PaintQuadrascope(benchmark::State &state)
{
    std::vector<std::vector<uint8_t>> scopes(4, std::vector<uint8_t>(128));
    for (size_t c = 0; c < scopes.size(); ++c)
        for (size_t i = 0; i < scopes[c].size(); ++i)
            scopes[c][i] = static_cast<uint8_t>((i * (c + 3) * 37) & 0xFF);
    const VexaMidWellView view{
        .mode = vexa::VexaMidWellMode::quadrascope, .scopes = scopes, .width = 415, .height = 107};
    paintRepeatedly(state, [&](QPainter &painter) { view.paint(painter, midWellAt); });
}
BENCHMARK(BM_PaintQuadrascope)->Unit(benchmark::kMicrosecond);

} // namespace
