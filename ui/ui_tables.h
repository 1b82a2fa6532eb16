// The screen's palette and the fixed sizes of its toolkit. Every view takes its colours
// and widget metrics from here. Unit: logical points on the 640 x 480 canvas, where one
// point is one pixel of the canvas image.
#pragma once

#include <QColor>
#include <QImage>

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
