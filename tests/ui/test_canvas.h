// A small image to paint into and read back, filled with a colour that the palette does
// not use, so that every painted point shows. The palette is written out here as plain
// values, so that a changed colour fails the tests that paint with it.
#pragma once

#include "ui_tables.h"

#include <QColor>
#include <QImage>
#include <QPainter>

#include <memory>
#include <ostream>

// Shows colours in test failures as "rgb(r, g, b)".
inline void PrintTo(const QColor &color, std::ostream *out)
{
    *out << "rgb(" << color.red() << ", " << color.green() << ", " << color.blue() << ")";
}

namespace uitest {

inline constexpr QColor background{255, 0, 255};
inline constexpr QColor face{170, 170, 170}, face2{153, 153, 153}, hi{255, 255, 255};
inline constexpr QColor ink{0, 0, 0}, dim{85, 85, 85}, shadow{102, 102, 102};
inline constexpr QColor well{204, 204, 204};

// The number of points of the colour inside the rectangle (the whole image by default).
inline int countIn(const QImage &image, const QColor &color, QRect area = {})
{
    area = area.isNull() ? image.rect() : area;
    int found = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            found += image.pixelColor(x, y) == color ? 1 : 0;
    return found;
}

class TestCanvas {
public:
    explicit TestCanvas(int width = 64, int height = 32) : image_(width, height, VexaCanvas::format)
    {
        image_.fill(background);
        painter_ = std::make_unique<QPainter>(&image_);
    }
    QPainter &painter() { return *painter_; }
    // Ends painting (on the first call) and gives the image.
    const QImage &image()
    {
        if (painter_->isActive())
            painter_->end();
        return image_;
    }
    QColor at(int x, int y) { return image().pixelColor(x, y); }
    int count(const QColor &color, QRect area = {}) { return countIn(image(), color, area); }

private:
    QImage image_;
    std::unique_ptr<QPainter> painter_;
};

} // namespace uitest
