#include "splash_picture.h"

#include "toolkit/vexa_font.h"
#include "ui_tables.h"

#include <QPainter>

#include <array>
#include <cstdint>

using namespace VexaChrome;

namespace {

constexpr int nameScale = 5; // the name's font pixels are 5 x 5 points
constexpr int nameTop = 10;
constexpr int nameShadow = 3; // its blue shadow, right and down
constexpr int taglineScale = 2;
constexpr int taglineTop = 58;
constexpr int horizon = 80;       // the grid's top row
constexpr int gridRays = 13;      // lines running to the vanishing point
constexpr int gridRaySpread = 96; // points between ray ends on the bottom row
constexpr int gridRows = 6;       // horizontal lines, closer together toward the horizon
constexpr int starCount = 70;
constexpr uint32_t starSeed = 20240611;

// Colours of the name's seven ink rows, top to bottom: white light fading to red.
const std::array<QColor, 7> nameRows = {colHi,
                                        colYellow,
                                        colYellow,
                                        VexaPatternMetrics::vuMiddle,
                                        VexaPatternMetrics::vuMiddle,
                                        VexaPatternMetrics::vuTop,
                                        colRed};
const std::array<QColor, 3> starColours = {colShadow, colFace, colHi};

// A small linear congruential sequence: the stars fall in the same places on every run.
uint32_t nextRandom(uint32_t &state)
{
    state = state * 1664525u + 1013904223u;
    return state >> 8;
}

void drawStars(QPainter &painter)
{
    uint32_t state = starSeed;
    for (int i = 0; i < starCount; ++i) {
        const int x = static_cast<int>(nextRandom(state) % splashWidth);
        const int y = static_cast<int>(nextRandom(state) % horizon);
        painter.fillRect(QRect(x, y, 1, 1), starColours[nextRandom(state) % starColours.size()]);
    }
}

void drawGrid(QPainter &painter)
{
    const int centre = splashWidth / 2;
    const int depth = splashHeight - 1 - horizon;
    painter.setPen(QPen(colPatBlue, 0));
    for (int k = -gridRays / 2; k <= gridRays / 2; ++k)
        painter.drawLine(QPoint(centre + k * 4, horizon),
                         QPoint(centre + k * gridRaySpread, splashHeight - 1));
    for (int row = 0; row < gridRows; ++row)
        painter.drawLine(QPoint(0, horizon + depth * row * row / ((gridRows - 1) * (gridRows - 1))),
                         QPoint(splashWidth - 1,
                                horizon + depth * row * row / ((gridRows - 1) * (gridRows - 1))));
}

void drawCentred(QPainter &painter, const GlyphTable &font, const QString &text, int top, int scale,
                 const QColor &color, int offset = 0)
{
    const int width = static_cast<int>(text.size()) * VexaFont::advance * scale;
    VexaFont::draw(painter, text, (splashWidth - width) / 2 + offset, top + offset, color, scale,
                   scale, font);
}

void drawName(QPainter &painter, const GlyphTable &font)
{
    const QString name = QStringLiteral("VEXATRON");
    drawCentred(painter, font, name, nameTop, nameScale, colPatBlue, nameShadow);
    for (size_t row = 0; row < nameRows.size(); ++row) {
        painter.save();
        painter.setClipRect(
            QRect(0, nameTop + static_cast<int>(row) * nameScale, splashWidth, nameScale));
        drawCentred(painter, font, name, nameTop, nameScale, nameRows[row]);
        painter.restore();
    }
}

} // namespace

QImage drawSplashPicture(const GlyphTable &font)
{
    QImage picture(splashWidth, splashHeight, QImage::Format_RGB32);
    picture.fill(colInk);
    QPainter painter(&picture);
    drawStars(painter);
    drawGrid(painter);
    drawName(painter, font);
    drawCentred(painter, font, QStringLiteral("FOUR-CHANNEL MOD TRACKER"), taglineTop + 1,
                taglineScale, colDim, 1);
    drawCentred(painter, font, QStringLiteral("FOUR-CHANNEL MOD TRACKER"), taglineTop, taglineScale,
                colHi);
    painter.end();
    return picture;
}
