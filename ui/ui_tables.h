// The screen's palette and the fixed sizes of its toolkit and views. Every view takes its
// colours and metrics from here. Unit: logical points on the 640 x 480 canvas, where one
// point is one pixel of the canvas image.
#pragma once

#include <QColor>
#include <QImage>

#include <array>

namespace VexaChrome {

// Opaque sRGB, components 0..255 (the fractions 2/3, 0.6, 1, 0, 1/3, 0.4, 0.8 and 11/15
// of full intensity for the greys).
inline constexpr QColor colFace{170, 170, 170};   // panel and button face
inline constexpr QColor colFace2{153, 153, 153};  // face of a pressed bevel
inline constexpr QColor colHi{255, 255, 255};     // light bevel edge, button titles
inline constexpr QColor colInk{0, 0, 0};          // text, arrows, well backgrounds
inline constexpr QColor colDim{85, 85, 85};       // drop shadow of font labels
inline constexpr QColor colShadow{102, 102, 102}; // dark bevel edge, separators, borders
inline constexpr QColor colWell{204, 204, 204};   // value boxes
inline constexpr QColor colHl{187, 187, 187};     // playhead row bar
inline constexpr QColor colPatBlue{0, 102, 187};  // pattern text off the playhead row
inline constexpr QColor colRed{204, 0, 0};        // pattern edit cursor
inline constexpr QColor colYellow{255, 255, 0};   // scope and waveform traces, loop markers

// Width of one arrow button; an arrow pair is two of them side by side.
inline constexpr qreal aw = 18;
// Button titles are drawn at 2 x 2, so one character takes 14 points of button width.
inline constexpr int buttonTitleScale = 2;
inline constexpr int buttonTitlePointsPerChar = 14;
inline constexpr int buttonTitleMaxChars = 14;
// Button titles sit this many points below the centre of the button.
inline constexpr qreal buttonTitleDrop = 2;
// An arrow triangle leaves this much of its button free across and along, and is never
// shorter than arrowMinHeight.
inline constexpr qreal arrowInset = 8;
inline constexpr qreal arrowMinHeight = 6;

} // namespace VexaChrome

namespace VexaCanvas {

// The whole screen is painted into one image of this size and format.
inline constexpr int width = 640;
inline constexpr int height = 480;
inline constexpr QImage::Format format = QImage::Format_RGB32;

} // namespace VexaCanvas

// The pattern well: eleven rows around the playhead over four VU tubes.
namespace VexaPatternMetrics {

inline constexpr qreal bevelWidth = 636; // the sunken well, centred on the canvas
inline constexpr qreal centreX = 320;
inline constexpr qreal innerLeft = 4;     // canvas x of the black inside and the rows
inline constexpr qreal innerWidth = 632;  // col0 + 4 x colW
inline constexpr qreal innerInset = 2;    // black inside below the bevel's top
inline constexpr qreal wellInset = 3;     // wellTop and wellBot inside the well
inline constexpr qreal midMaxH = 40;      // playhead row height: at most,
inline constexpr qreal midStartMinH = 38; // at least before shrinking,
inline constexpr qreal midMinH = 36;      // and never below
inline constexpr qreal prowMinH = 16;     // other rows, unless the well is too small
inline constexpr int rowsAbove = 5;       // rows above (and below) the playhead row
inline constexpr qreal rowNumW = 38;      // row-number column
inline constexpr qreal mellansteg = 16;   // gap between row numbers and channel 1
inline constexpr qreal col0 = 54;         // left of channel 1, local to the rows
inline constexpr qreal colW = 144.5;      // one channel column
inline constexpr int patScY = 4;          // vertical font scale of the playhead row
inline constexpr int rowScY = 2;          // and of the others
inline constexpr int cellScX = 2;
inline constexpr qreal shadeWidth = 628; // playhead shade, centred in the row
inline constexpr int cellChars = 8;      // note 3, sample 2, effect 1, parameter 2
inline constexpr qreal cellPitch = 16;   // 14 points of glyph, 2 of space
inline constexpr qreal cellTextWidth = 128;
inline constexpr qreal cellMinInset = 2;
inline constexpr qreal playheadNumberDrop = 1; // row number below its centred place
// Playhead cells centre the glyphs' ink (rows 0..6 of the font) one point low, and the
// cursor frames enclose it.
inline constexpr int playheadBandRows = 7;
inline constexpr qreal playheadTextDrop = 1;
inline constexpr qreal cursorWidth = 22; // outer red frame, 3 frames of 1 point
inline constexpr int cursorFrames = 3;
inline constexpr qreal cursorExtraH = 8; // frame height beyond the band
inline constexpr qreal grooveHalf = 2;   // a groove is 5 columns, centre +- 2
inline constexpr qreal vuMaxBarWidth = 22;
inline constexpr qreal vuSideRoom = 6; // the bar is at most the tube width less this
inline constexpr qreal vuMinBarH = 8;  // any level from 1 shows at least this
inline constexpr int vuFullLevel = 64;
inline constexpr qreal vuStripeWidth = 2;

// Field offsets of the edit cursor from the cell's text start, by cursor position 0..5
// (note, sample high and low digit, effect, parameter high and low digit).
inline constexpr std::array<qreal, 6> cursorFieldX = {0, 48, 64, 80, 96, 112};

// The playhead shade's 1-point lines: four from the top down, four up from the bottom.
inline constexpr std::array<QColor, 4> shadeTopLines = {VexaChrome::colHi, VexaChrome::colHi,
                                                        VexaChrome::colFace, VexaChrome::colFace};
inline constexpr std::array<QColor, 4> shadeBottomLines = {
    VexaChrome::colFace2, VexaChrome::colShadow, VexaChrome::colShadow, VexaChrome::colDim};
// A groove's five columns, left to right.
inline constexpr std::array<QColor, 5> grooveColumns = {VexaChrome::colHi, VexaChrome::colFace,
                                                        VexaChrome::colFace2, VexaChrome::colShadow,
                                                        VexaChrome::colDim};

// VU bar gradient, top to bottom, and the stripes over it (black at 40 % and 30 %, white
// at 35 % opacity: alpha = opacity x 255).
inline constexpr QColor vuTop{204, 51, 0};
inline constexpr QColor vuMiddle{221, 204, 0};
inline constexpr QColor vuBottom{0, 187, 0};
inline constexpr QColor vuStripeLeft{0, 0, 0, 102};
inline constexpr QColor vuStripeLight{255, 255, 255, 89};
inline constexpr QColor vuStripeRight{0, 0, 0, 77};

} // namespace VexaPatternMetrics

// The middle well and what it shows: splash, quadrascope, spectrum analyser.
namespace VexaMidWellMetrics {

inline constexpr qreal titleX = 4; // display titles, at 2 x 2 with shadow
inline constexpr qreal titleY = 2;
inline constexpr qreal titleGap = 2; // between the title and the boxes below it
inline constexpr qreal margin = 4;   // around the scope and spectrum boxes
inline constexpr qreal scopeGap = 4; // between the four scope boxes
inline constexpr qreal scopeBorder = 2;
inline constexpr qreal splashInset = 1; // the picture fills the well less its border
inline constexpr int scopeCount = 4;

} // namespace VexaMidWellMetrics

// The spectrum analyser's bars: 24 bars of 0..63, coloured by height on a ramp from green
// at the bottom through yellow to red at the top, and shaded across their width.
namespace VexaSpectrumMetrics {

inline constexpr int barCount = 24;
inline constexpr int maxValue = 63;
inline constexpr qreal sideRoom = 46; // bar width = (box width - 46) / 24, at least 4
inline constexpr qreal minBarWidth = 4;
inline constexpr qreal barGap = 2;

// The ramp over t = height / (box height - 1), components 0..255, blue always 0. Below
// lowBend: red 0 -> 180 and green 160 -> 200; up to highBend: red up and green down by
// 160 per unit of t; above: red 220 -> 200 and green 160 -> 40.
inline constexpr double lowBend = 0.55;
inline constexpr double highBend = 0.8;
inline constexpr double lowRedSpan = 180, lowGreenBase = 160, lowGreenSpan = 40;
inline constexpr double midSlope = 160;
inline constexpr double topRedBase = 220, topRedSpan = 20;
inline constexpr double topGreenBase = 160, topGreenSpan = 120;

// Shading across a bar: the first two columns dark (0.4 + 0.15 k), a highlight (1.15) on
// the third, then full, and the last two 0.55 then 0.37 (0.55 - 0.18 k).
inline constexpr double edgeShade = 0.4, edgeShadeStep = 0.15;
inline constexpr double highlightShade = 1.15;
inline constexpr double farShade = 0.55, farShadeStep = 0.18;

} // namespace VexaSpectrumMetrics

// The sample editor panel.
namespace VexaSmpEdMetrics {

inline constexpr qreal pad = 4;
inline constexpr qreal gap = 2;
inline constexpr int cols = 4;
inline constexpr qreal titleY = 2;
// The summary line is 36 characters: at 1 x 2 (252 points) it fits the 415-point panel,
// at 2 x 2 (504) it would not.
inline constexpr int titleScaleX = 1;
inline constexpr int titleScaleY = 2;
inline constexpr qreal waveTop = 20;
inline constexpr qreal waveRoomBelow = 66; // wave height = H - 66 - gap, at least 16
inline constexpr qreal waveMinH = 16;
inline constexpr qreal waveBorder = 2;
inline constexpr qreal row1FromBottom = 43; // row 1 at H - 43 - gap
inline constexpr qreal row2FromBottom = 23; // row 2 at H - 23
inline constexpr qreal buttonH = 20;
inline constexpr qreal markerWidth = 2;
inline constexpr qreal grabLeft = 4; // a press this close to a marker grabs it
inline constexpr qreal grabRight = 5;
inline constexpr int waveDefaultBytes = 256; // an empty wave shows as a flat line
inline constexpr uint8_t zeroLine = 0x80;

} // namespace VexaSmpEdMetrics

// The disk-op grid and the transpose panel.
namespace VexaPanelMetrics {

inline constexpr qreal diskGap = 2;
inline constexpr int diskCols = 3;
inline constexpr int diskRows = 2;
inline constexpr qreal diskTitleRoom = 4; // titles wrap to the cell width less this
inline constexpr qreal diskLineGap = 2;

inline constexpr qreal transposePad = 4;
inline constexpr qreal transposeColGap = 4;
inline constexpr qreal transposeRowGap = 1;
inline constexpr qreal transposeHeaderH = 19; // buttons start this far below the pad
inline constexpr qreal transposeMinAvail = 64;
inline constexpr qreal transposeMinRowH = 16, transposeMaxRowH = 20, transposeShrinkFloor = 14;

} // namespace VexaPanelMetrics

// The help overlay over the whole canvas.
namespace VexaHelpMetrics {

inline constexpr QColor dimLayer{0, 0, 0, 89}; // black at 35 % opacity
inline constexpr qreal panelWidth = 592;
inline constexpr qreal panelHeight = 440;
inline constexpr qreal innerInset = 2; // the colFace2 inside, 4 points smaller each way
inline constexpr qreal titleInset = 8;
inline constexpr qreal rowsLeft = 8, rowsTop = 6, rowsBottom = 8; // rows' insets
inline constexpr qreal rowsMaxH = 384;
inline constexpr qreal rowH = 10;
inline constexpr qreal footerGap = 4;
inline constexpr int maxChars = 80;

} // namespace VexaHelpMetrics
