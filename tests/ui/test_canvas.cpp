#include "test_canvas.h"

#include "ui_tables.h"

namespace uitest {

TestCanvas::TestCanvas(int width, int height) : image_(width, height, VexaCanvas::format)
{
    image_.fill(background);
    painter_ = std::make_unique<QPainter>(&image_);
}

const QImage &TestCanvas::image()
{
    if (painter_->isActive())
        painter_->end();
    return image_;
}

QColor TestCanvas::at(int x, int y)
{
    return image().pixelColor(x, y);
}

int TestCanvas::count(const QColor &color, const QRect &area)
{
    const QImage &painted = image();
    int found = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            found += painted.pixelColor(x, y) == color ? 1 : 0;
    return found;
}

} // namespace uitest
