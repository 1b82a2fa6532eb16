// Where everything goes on the 640 x 480 canvas, in canvas points (x to the right, y
// down; one point is one pixel of the canvas image). Every region, box and button
// position of the screen is here, derived from the few margins below, and checked at
// compile time to lie inside the canvas.
#pragma once

#include "ui_tables.h"

#include <QRectF>

#include <array>
#include <cmath>

namespace VexaScreenLayout {

inline constexpr QRectF canvas{0, 0, VexaCanvas::width, VexaCanvas::height};

// The margins the layout grows from.
inline constexpr qreal ux = 2;        // left margin
inline constexpr qreal uy = 2;        // top margin
inline constexpr qreal splashH = 110; // height unit of the middle well's band
inline constexpr qreal aw = VexaChrome::aw;

// The sunken panel behind the parameters, the buttons and the middle well.
inline constexpr QRectF topPanel{ux, uy, 636, uy + splashH + 73 - uy};

// The nine parameter rows, each a name cell, a value box and an arrow pair, with a
// separator line between the fourth and the fifth.
inline constexpr qreal paramLeft = 6;
inline constexpr qreal paramTop = 4;
inline constexpr qreal paramWidth = 2 * aw + 178; // 214
inline constexpr qreal paramRowH = 18;
inline constexpr int paramRowCount = 9;
inline constexpr int paramSeparatorAfter = 4; // rows from here on sit 1 point lower
inline constexpr qreal paramNameW = 116;
inline constexpr qreal paramNameInset = 2; // label from the name cell's left edge
inline constexpr qreal paramValueW = 62;
inline constexpr qreal paramValueH = 16;
inline constexpr qreal paramValueBorder = 1;
inline constexpr qreal arrowPairW = 2 * aw;

constexpr qreal paramRowTop(int row)
{
    return paramTop + paramRowH * row + (row >= paramSeparatorAfter ? 1 : 0);
}
constexpr QRectF paramRow(int row)
{
    return {paramLeft, paramRowTop(row), paramWidth, paramRowH};
}
constexpr QRectF paramValueBox(int row)
{
    return {paramLeft + paramNameW, paramRowTop(row) + (paramRowH - paramValueH) / 2, paramValueW,
            paramValueH};
}
// The arrow pair's box: centred at x 202, over the whole row.
constexpr QRectF paramArrows(int row)
{
    return {paramLeft + paramNameW + paramValueW, paramRowTop(row), arrowPairW, paramRowH};
}
inline constexpr QRectF paramPanel{paramLeft, paramTop, paramWidth,
                                   paramRowTop(paramRowCount - 1) + paramRowH - paramTop};
inline constexpr QRectF paramSeparator{paramLeft, paramRowTop(paramSeparatorAfter) - 1, paramWidth,
                                       1};

// Right of the parameters: the transport grid, the channel buttons and the middle well,
// between two separator lines.
inline constexpr qreal rightLeft = ux + 2 * aw + 182 + 1; // 221
inline constexpr qreal channelW = 26;
inline constexpr qreal gridRight = ux + 636 - 2 - channelW; // 610
inline constexpr qreal gridWidth = gridRight - rightLeft;   // 389
inline constexpr qreal gridTop = 3;
inline constexpr qreal gridRowH = 18;
inline constexpr int gridRows = 4;
inline constexpr int gridColumns = 3;
// Column widths as shares of the grid, in three-hundredths.
inline constexpr std::array<qreal, gridColumns> gridColumnShares = {96, 118, 86};

constexpr qreal gridColumnWidth(int column)
{
    return gridWidth * gridColumnShares[static_cast<std::size_t>(column)] / 300;
}
constexpr qreal gridColumnLeft(int column)
{
    return column == 0 ? rightLeft : gridColumnLeft(column - 1) + gridColumnWidth(column - 1);
}
constexpr QRectF gridButton(int column, int row)
{
    return {gridColumnLeft(column), gridTop + gridRowH * row, gridColumnWidth(column), gridRowH};
}
constexpr QRectF channelButton(int channel)
{
    return {gridRight, gridTop + gridRowH * channel, channelW, gridRowH};
}
inline constexpr qreal gridBottom = gridTop + gridRowH * gridRows; // 75

inline constexpr QRectF verticalSeparator{rightLeft - 1, 3, 1, 181};
inline constexpr QRectF horizontalSeparator{rightLeft - 1, gridBottom, 417, 1};

inline constexpr QRectF midWell{rightLeft, uy + 74, ux + 636 - 2 - rightLeft, 107};

// The middle band: three rows of texts and boxes under the top panel.
inline constexpr QRectF midBand{ux, uy + splashH + 73, 636, 86};
inline constexpr std::array<QRectF, 2> midBandLines = {
    QRectF{midBand.left(), midBand.top() + 24, 635, 1},
    QRectF{midBand.left(), midBand.top() + 46, 635, 1}};
inline constexpr qreal midBandGap = 8; // between the items of a row
// Each row's items run from its left edge, 8 points apart; the last item of a row stands
// at its right edge, the first of the HELP, the LOAD and the timer box.
inline constexpr QRectF songRow{midBand.left() + 2, midBand.top(), 632, 24};
inline constexpr QRectF sampleRow{midBand.left() + 6, midBand.top() + 24, 630, 22};
inline constexpr QRectF statusRow{midBand.left() + 4, midBand.top() + 46, 632, 40};
inline constexpr qreal octaveBoxW = 74, octaveBoxH = 18;
inline constexpr qreal rowBoxW = 32, rowBoxH = 20;
inline constexpr qreal timerBoxW = 74, timerBoxH = 20;
inline constexpr int titleChars = 20;
inline constexpr int sampleNameChars = 22;

// The buttons of the middle band.
inline constexpr QRectF helpButton{560, midBand.top(), 76, 24};
inline constexpr QRectF clearSampleButton{486, sampleRow.top(), 76, 22};
inline constexpr QRectF loadButton{562, sampleRow.top(), 76, 22};

// The pattern well fills the rest of the canvas but a 2-point margin at the bottom; its
// click area starts 2 points inside its bevel.
inline constexpr qreal patY = midBand.top() + midBand.height();
inline constexpr qreal patH = VexaCanvas::height - patY - 2;
inline constexpr qreal patternClickLeft = 6;
inline constexpr qreal patternClickWidth = 628;

// Texts are centred by their ink: the font's letters and digits use glyph rows 0..6, row
// 7 is the gap under them, so a value stays clear of its box's border.
inline constexpr int glyphInkRows = 7;

// The top of a text at vertical scale `scaleY` whose ink is centred in `box`, on a whole
// point.
inline qreal inkCentredTop(const QRectF &box, int scaleY)
{
    return std::floor(box.center().y() - glyphInkRows * scaleY / 2.0 + 0.5);
}

// Whether a box lies inside the canvas.
constexpr bool onCanvas(const QRectF &box)
{
    return box.left() >= canvas.left() && box.top() >= canvas.top() &&
           box.right() <= canvas.right() && box.bottom() <= canvas.bottom() && box.width() > 0 &&
           box.height() > 0;
}

constexpr bool everyBoxOnCanvas()
{
    for (int row = 0; row < paramRowCount; ++row)
        if (!onCanvas(paramRow(row)) || !onCanvas(paramValueBox(row)) ||
            !onCanvas(paramArrows(row)))
            return false;
    for (int column = 0; column < gridColumns; ++column)
        for (int row = 0; row < gridRows; ++row)
            if (!onCanvas(gridButton(column, row)))
                return false;
    for (int channel = 0; channel < gridRows; ++channel)
        if (!onCanvas(channelButton(channel)))
            return false;
    for (const QRectF &line : midBandLines)
        if (!onCanvas(line))
            return false;
    return onCanvas(topPanel) && onCanvas(paramPanel) && onCanvas(paramSeparator) &&
           onCanvas(verticalSeparator) && onCanvas(horizontalSeparator) && onCanvas(midWell) &&
           onCanvas(midBand) && onCanvas(songRow) && onCanvas(sampleRow) && onCanvas(statusRow) &&
           onCanvas(helpButton) && onCanvas(clearSampleButton) && onCanvas(loadButton) &&
           onCanvas({ux, patY, VexaPatternMetrics::bevelWidth, patH}) &&
           onCanvas({patternClickLeft, patY, patternClickWidth, patH});
}
static_assert(everyBoxOnCanvas(), "every part of the screen lies on the 640 x 480 canvas");

// The derived positions the screen's look depends on.
static_assert(paramRowTop(paramSeparatorAfter) == 77 && paramPanel.bottom() == 167);
static_assert(paramArrows(0).center().x() == 202 && paramArrows(4).center().y() == 86);
static_assert(rightLeft == 221 && gridRight == 610 && gridBottom == 75);
static_assert(gridColumnLeft(2) + gridColumnWidth(2) == gridRight);
static_assert(midWell.width() == 415 && midWell.bottom() == 183);
static_assert(topPanel.bottom() == midBand.top() && midBand.top() == 185);
static_assert(patY == 271 && patH == 207);
static_assert(helpButton.right() == songRow.right() && loadButton.right() == sampleRow.right());
static_assert(sampleRow.right() == midBand.right() && statusRow.right() == midBand.right());
static_assert(clearSampleButton.right() == loadButton.left());

} // namespace VexaScreenLayout
