// Looking for the program's pixel-font texts in a screenshot: a text is found where every
// ink pixel of its glyphs, drawn at the given scale, has the given colour and every other
// pixel of the text's box has another colour (any other: a shadow or a background does not
// matter, but a plain area of the ink's colour holds no text).
#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>

#include <optional>

namespace vxtest {

struct ScreenText {
    QString text;
    QColor ink;
    int scaleX = 1;
    int scaleY = 1;
    int pitch = 0; // points from one character to the next; 0: the font's own advance
};

// The top-left corner of the first place, row by row, where `text` appears inside `area`
// of `image` (the whole image when `area` is empty).
std::optional<QPoint> findText(const QImage &image, const ScreenText &text, QRect area = {});

// How many pixels of `area` have exactly `colour`.
int countColour(const QImage &image, const QColor &colour, QRect area);

// The image with every pixel repeated `factor` times each way.
QImage scaledUp(const QImage &image, int factor);

} // namespace vxtest
