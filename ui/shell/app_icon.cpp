#include "app_icon.h"

#include "shell_tables.h"
#include "toolkit/aliased_painting.h"
#include "toolkit/bevel.h"
#include "toolkit/label.h"
#include "ui_tables.h"

#include <QPainter>
#include <QPixmap>

#include <array>

namespace VexaAppIcon {

namespace {

using namespace VexaChrome;

// Grid squares, on the 32-square grid.
constexpr QPointF kWellTopLeft{3, 3};
constexpr qreal kWellWidth = 26;
constexpr qreal kWellHeight = 16;
constexpr int kTraceLeft = 4;
constexpr int kTraceMiddle = 11; // the trace's zero line
constexpr qreal kLettersTop = 20;
// One period of a sine of amplitude 5, a point every 15 degrees, rounded.
constexpr std::array<int, 24> kTrace = {0, 1,  3,  4,  4,  5,  5,  5,  4,  4,  3,  1,
                                        0, -1, -3, -4, -4, -5, -5, -5, -4, -4, -3, -1};

void drawTrace(QPainter &painter)
{
    QPolygon trace;
    for (int i = 0; i < static_cast<int>(kTrace.size()); ++i)
        trace << QPoint(kTraceLeft + i, kTraceMiddle - kTrace[i]);
    painter.setPen(QPen(colYellow, 0));
    painter.drawPolyline(trace);
}

QImage gridPicture(const GlyphTable &font)
{
    constexpr int side = VexaShell::iconGridPixels;
    QImage image(side, side, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    AliasedPainting aliased(painter);
    Bevel{.width = side, .height = side}.paint(painter, QPointF(0, 0));
    Bevel{.width = kWellWidth, .height = kWellHeight, .pressed = true, .fill = colInk}.paint(
        painter, kWellTopLeft);
    drawTrace(painter);
    const VexaFont::Label letters{.text = QStringLiteral("VX"), .color = colInk, .shadow = true};
    const QRectF band(0, kLettersTop, side, side - kLettersTop);
    letters.paint(painter, VexaFont::centredTopLeft(band, letters.size()), font);
    return image;
}

} // namespace

QImage picture(const GlyphTable &font, int scale)
{
    const int side = VexaShell::iconGridPixels * scale;
    return gridPicture(font).scaled(side, side, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

QIcon icon(const GlyphTable &font)
{
    QIcon icon;
    for (const int scale : VexaShell::iconScales)
        icon.addPixmap(QPixmap::fromImage(picture(font, scale)));
    return icon;
}

} // namespace VexaAppIcon
