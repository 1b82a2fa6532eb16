// A small image to paint into and read back, filled with a colour that the palette does
// not use, so that every painted point shows.
#pragma once

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

class TestCanvas {
public:
    explicit TestCanvas(int width = 64, int height = 32);

    QPainter &painter() { return *painter_; }
    // Ends painting (on the first call) and gives the colour of one point.
    QColor at(int x, int y);
    // Ends painting and gives the image.
    const QImage &image();
    // The number of points of the colour inside the rectangle.
    int count(const QColor &color, const QRect &area);

private:
    QImage image_;
    std::unique_ptr<QPainter> painter_;
};

} // namespace uitest
