#include "views/pattern_row_view.h"

#include "toolkit/aliased_painting.h"
#include "toolkit/inner_frame.h"
#include "toolkit/label.h"
#include "ui_tables.h"

#include <algorithm>
#include <array>

using namespace VexaPatternMetrics;

namespace {

constexpr int rowNumberChars = 2;
constexpr int highestRow = vexa::kPatternRowCount - 1;

using CellText = std::array<char16_t, cellChars>;

CellText cellCharacters(const std::string &text)
{
    CellText characters;
    characters.fill(u'-');
    const size_t shown = std::min(text.size(), characters.size());
    for (size_t k = 0; k < shown; ++k)
        characters[k] = static_cast<unsigned char>(text[k]);
    return characters;
}

QString rowNumberText(int64_t rowNumber)
{
    if (rowNumber < 0 || rowNumber > highestRow)
        return QString(rowNumberChars, u' ');
    return QStringLiteral("%1").arg(rowNumber, rowNumberChars, 16, QChar(u'0')).toUpper();
}

} // namespace

void VexaPatternRowView::paint(QPainter &painter, QPointF topLeft) const
{
    const AliasedPainting aliased(painter);
    if (row.isPlayhead)
        playheadShade(painter, topLeft);
    const QColor &ink = row.isPlayhead ? VexaChrome::colInk : VexaChrome::colPatBlue;
    const VexaFont::Label number{.text = rowNumberText(row.rowNumber),
                                 .color = ink,
                                 .scaleX = cellScX,
                                 .scaleY = scaleY,
                                 .shadow = row.isPlayhead};
    const QRectF numberBox(topLeft, QSizeF(rowNumW, height));
    const QSizeF numberSize = number.size();
    number.paint(painter, numberBox.center() -
                              QPointF(numberSize.width(), numberSize.height()) / 2 +
                              QPointF(0, row.isPlayhead ? playheadNumberDrop : 0));
    for (int channel = 0; channel < vexa::kChannelCount; ++channel) {
        const size_t index = static_cast<size_t>(channel);
        const CellText text =
            cellCharacters(index < row.cells.size() ? row.cells[index] : vexa::kBlankCellText);
        patternCell(painter, topLeft + QPointF(col0 + channel * colW, 0),
                    QStringView(text.data(), text.size()), ink,
                    row.isPlayhead && channel == editCh);
    }
}

void VexaPatternRowView::playheadShade(QPainter &painter, QPointF topLeft) const
{
    const qreal x = topLeft.x() + (innerWidth - shadeWidth) / 2;
    painter.fillRect(QRectF(x, topLeft.y(), shadeWidth, height), VexaChrome::colHl);
    for (size_t k = 0; k < shadeTopLines.size(); ++k)
        painter.fillRect(QRectF(x, topLeft.y() + k, shadeWidth, 1), shadeTopLines[k]);
    const qreal bottom = topLeft.y() + height;
    for (size_t k = 0; k < shadeBottomLines.size(); ++k)
        painter.fillRect(QRectF(x, bottom - shadeBottomLines.size() + k, shadeWidth, 1),
                         shadeBottomLines[k]);
}

void VexaPatternRowView::patternCell(QPainter &painter, QPointF cellTopLeft, QStringView text,
                                     const QColor &ink, bool showCursor) const
{
    const int sy = std::max(1, scaleY);
    const qreal tx = std::max((colW - cellTextWidth) / 2, cellMinInset);
    const qreal ty = row.isPlayhead ? (height - playheadBandRows * sy) / 2 + playheadTextDrop
                                    : (height - glyphRows * sy) / 2;
    for (qsizetype k = 0; k < text.size(); ++k) {
        const QStringView character = text.sliced(k, 1);
        const qreal x = cellTopLeft.x() + tx + cellPitch * k;
        const qreal y = cellTopLeft.y() + ty;
        if (row.isPlayhead)
            VexaFont::draw(painter, character, x + 1, y + 1, VexaChrome::colDim, cellScX, sy);
        VexaFont::draw(painter, character, x, y, ink, cellScX, sy);
    }
    if (showCursor)
        redCursor(painter, cellTopLeft, tx, ty);
}

void VexaPatternRowView::redCursor(QPainter &painter, QPointF cellTopLeft, qreal tx, qreal ty) const
{
    const int sy = std::max(1, scaleY);
    const bool known = cursorPos >= 0 && cursorPos < static_cast<int64_t>(cursorFieldX.size());
    const qreal fx = cursorFieldX[known ? static_cast<size_t>(cursorPos) : cursorFieldX.size() - 1];
    const qreal frameH = playheadBandRows * sy + cursorExtraH;
    const QPointF centre =
        cellTopLeft + QPointF(tx + fx + cellPitch / 2, ty + playheadBandRows * sy / 2.0);
    for (int j = 0; j < cursorFrames; ++j) {
        const QSizeF size(cursorWidth - 2 * j, frameH - 2 * j);
        VexaChrome::paintInnerFrame(painter,
                                    QRectF(centre - QPointF(size.width(), size.height()) / 2, size),
                                    1, VexaChrome::colRed);
    }
}
