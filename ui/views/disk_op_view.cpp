#include "views/disk_op_view.h"

#include "toolkit/aliased_painting.h"
#include "toolkit/bevel.h"
#include "toolkit/label.h"
#include "ui_tables.h"

#include <cmath>

using namespace VexaPanelMetrics;

namespace {

constexpr std::array<VexaDiskOpAction, diskCols *diskRows> cellActions = {
    VexaDiskOpAction::loadModule, VexaDiskOpAction::saveModule, VexaDiskOpAction::saveModuleAs,
    VexaDiskOpAction::loadSample, VexaDiskOpAction::saveSample, VexaDiskOpAction::saveSampleAs};

// Calls visit(cell rectangle, action) for the six cells, relative to the panel.
template <typename Visit> void forEachCell(const VexaDiskOpView::Grid &grid, Visit visit)
{
    qreal y = 0;
    for (int r = 0; r < diskRows; ++r) {
        qreal x = 0;
        for (int c = 0; c < diskCols; ++c) {
            const QSizeF size(grid.columns[static_cast<size_t>(c)],
                              grid.rows[static_cast<size_t>(r)]);
            visit(QRectF(QPointF(x, y), size), cellActions[static_cast<size_t>(r * diskCols + c)]);
            x += size.width() + diskGap;
        }
        y += grid.rows[static_cast<size_t>(r)] + diskGap;
    }
}

void paintCell(QPainter &painter, const QRectF &cell, VexaDiskOpAction action)
{
    VexaChrome::Bevel{.width = cell.width(), .height = cell.height()}.paint(painter,
                                                                            cell.topLeft());
    const QStringList lines = wrapLines(diskOpTitle(action), cell.width() - diskTitleRoom);
    const qreal lineH = VexaFont::titleLabel({}, VexaChrome::colHi).size().height();
    const QSizeF column(0, lines.size() * lineH + (lines.size() - 1) * diskLineGap);
    qreal y = VexaFont::centredTopLeft(cell, column).y();
    for (const QString &line : lines) {
        const VexaFont::Label label = VexaFont::titleLabel(line, VexaChrome::colHi);
        label.paint(painter, QPointF(cell.center().x() - label.size().width() / 2, y));
        y += lineH + diskLineGap;
    }
}

} // namespace

VexaDiskOpView::Grid VexaDiskOpView::grid() const
{
    const qreal w = std::floor((width - diskGap * (diskCols - 1)) / diskCols);
    const qreal h = std::floor((height - diskGap * (diskRows - 1)) / diskRows);
    return {.columns = {w, w, std::max(width - (diskGap + w + diskGap + w), 1.0)},
            .rows = {h, std::max(height - (diskGap + h), 1.0)}};
}

void VexaDiskOpView::paint(QPainter &painter, QPointF topLeft) const
{
    const AliasedPainting aliased(painter);
    painter.fillRect(QRectF(topLeft, QSizeF(width, height)), VexaChrome::colInk);
    forEachCell(grid(), [&](const QRectF &cell, VexaDiskOpAction action) {
        paintCell(painter, cell.translated(topLeft), action);
    });
}

void VexaDiskOpView::addHits(HitMap &hits, QPointF topLeft) const
{
    forEachCell(grid(), [&](const QRectF &cell, VexaDiskOpAction action) {
        std::function<void()> run;
        if (interactive && onAction)
            run = [onAction = onAction, action] { onAction(action); };
        hits.add(HitArea::click(cell.translated(topLeft), std::move(run)));
    });
}

QString diskOpTitle(VexaDiskOpAction action)
{
    switch (action) {
    case VexaDiskOpAction::loadModule:
        return QStringLiteral("LOAD MODULE");
    case VexaDiskOpAction::loadSample:
        return QStringLiteral("LOAD SAMPLE");
    case VexaDiskOpAction::saveModule:
    case VexaDiskOpAction::saveSample:
        return QStringLiteral("SAVE");
    case VexaDiskOpAction::saveModuleAs:
    case VexaDiskOpAction::saveSampleAs:
        return QStringLiteral("SAVE AS");
    }
    return {};
}

QStringList wrapLines(const QString &text, qreal maxWidth)
{
    const QStringList words = text.toUpper().split(u' ', Qt::SkipEmptyParts);
    QStringList lines;
    for (const QString &word : words) {
        const QString joined = lines.isEmpty() ? QString() : lines.back() + u' ' + word;
        if (!lines.isEmpty() &&
            VexaFont::characterCount(joined) * VexaChrome::buttonTitlePointsPerChar <= maxWidth)
            lines.back() = joined;
        else
            lines.append(word);
    }
    return lines.isEmpty() ? QStringList{QString()} : lines;
}
