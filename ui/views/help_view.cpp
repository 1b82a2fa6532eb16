#include "views/help_view.h"

#include "toolkit/aliased_painting.h"
#include "toolkit/bevel.h"
#include "toolkit/label.h"
#include "ui_tables.h"
#include "views/help_pages.h"

#include <algorithm>

using namespace VexaHelpMetrics;

namespace {

const QRectF canvas(0, 0, VexaCanvas::width, VexaCanvas::height);

QRectF panel()
{
    return {canvas.center() - QPointF(panelWidth, panelHeight) / 2,
            QSizeF(panelWidth, panelHeight)};
}

VexaFont::Label rowLabel(const VexaHelpRow &row)
{
    return {.text = row.text.isEmpty() ? QStringLiteral(" ") : row.text,
            .color = row.isHeader ? VexaChrome::colHi : VexaChrome::colInk,
            .shadow = row.isHeader};
}

// The first row of `rest`: up to maxChars characters, broken after the last space in them.
qsizetype rowLength(QStringView rest, int maxChars)
{
    if (rest.size() <= maxChars)
        return rest.size();
    const qsizetype space = rest.first(maxChars).lastIndexOf(u' ');
    return space > 0 ? space + 1 : maxChars;
}

QStringView skipSpaces(QStringView text)
{
    qsizetype start = 0;
    while (start < text.size() && text[start] == u' ')
        ++start;
    return text.sliced(start);
}

} // namespace

std::vector<VexaHelpRow> wrapped(const QStringList &lines, int maxChars)
{
    std::vector<VexaHelpRow> rows;
    for (const QString &line : lines) {
        const bool header = isHelpHeader(line);
        QStringView rest = line;
        do {
            const qsizetype length = rowLength(rest, maxChars);
            rows.push_back({rest.first(length).toString(), header});
            rest = skipSpaces(rest.sliced(length));
        } while (!rest.isEmpty());
    }
    return rows;
}

QString VexaHelpView::footerText() const
{
    return QStringLiteral("ESC=CLOSE  PAGE %1/%2  HELP/CLICK=NEXT").arg(page + 1).arg(pageCount);
}

void VexaHelpView::paint(QPainter &painter) const
{
    const AliasedPainting aliased(painter);
    painter.fillRect(canvas, dimLayer);
    const QRectF box = panel();
    VexaChrome::Bevel{
        .width = panelWidth, .height = panelHeight, .pressed = true, .fill = VexaChrome::colFace}
        .paint(painter, box.topLeft());
    painter.fillRect(box.adjusted(innerInset, innerInset, -innerInset, -innerInset),
                     VexaChrome::colFace2);
    const VexaFont::Label title =
        VexaFont::titleLabel(QStringLiteral("VEXATRON HELP"), VexaChrome::colInk);
    title.paint(painter, box.topLeft() + QPointF(titleInset, titleInset));
    // The rows scroll in an area at most rowsMaxH high; what does not fit is cut off.
    const std::vector<VexaHelpRow> rows = wrapped(helpPageLines(page), maxChars);
    const qreal areaTop = box.top() + titleInset + title.size().height();
    const qreal areaH = std::min(rowsTop + rows.size() * rowH + rowsBottom, rowsMaxH);
    const QRectF area(box.left(), areaTop, panelWidth, areaH);
    painter.save();
    painter.setClipRect(area, Qt::IntersectClip);
    QPointF at(area.left() + rowsLeft, area.top() + rowsTop);
    for (const VexaHelpRow &row : rows) {
        rowLabel(row).paint(painter, at);
        at.ry() += rowH;
    }
    painter.restore();
    VexaFont::Label{.text = footerText(), .color = VexaChrome::colDim}.paint(
        painter, QPointF(box.left() + rowsLeft, area.bottom() + footerGap));
}

void VexaHelpView::addHits(HitMap &hits) const
{
    hits.add(HitArea::click(canvas, onClose));
    hits.add(HitArea::click(panel(), onAdvance));
}
