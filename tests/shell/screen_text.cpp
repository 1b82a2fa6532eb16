#include "screen_text.h"

#include "toolkit/vexa_font.h"

#include <QPainter>

#include <vector>

namespace vxtest {

namespace {

// The pixels of a text's box drawn at its scale, relative to its top-left corner: ink
// first, then paper.
struct Glyphs {
    std::vector<QPoint> ink{}, paper{};
    QSize size{};
};

Glyphs drawGlyphs(const ScreenText &text)
{
    const int pitch = text.pitch ? text.pitch : VexaFont::advance * text.scaleX;
    // The last glyph's eighth column is the next character's first: left out.
    const int width =
        static_cast<int>(text.text.size() - 1) * pitch + VexaFont::advance * text.scaleX;
    QImage glyphs(width, glyphRows * text.scaleY, QImage::Format_RGB32);
    glyphs.fill(Qt::black);
    {
        QPainter painter(&glyphs);
        for (qsizetype k = 0; k < text.text.size(); ++k)
            VexaFont::draw(painter, QStringView(text.text).sliced(k, 1), k * pitch, 0, Qt::white,
                           text.scaleX, text.scaleY);
    }
    Glyphs drawn{.size = glyphs.size()};
    for (int y = 0; y < glyphs.height(); ++y)
        for (int x = 0; x < glyphs.width(); ++x)
            (glyphs.pixel(x, y) == QColor(Qt::white).rgb() ? drawn.ink : drawn.paper)
                .emplace_back(x, y);
    return drawn;
}

bool matches(const QImage &pixels, QPoint at, const Glyphs &glyphs, QRgb ink)
{
    for (const QPoint &offset : glyphs.ink)
        if (pixels.pixel(at + offset) != ink)
            return false;
    for (const QPoint &offset : glyphs.paper)
        if (pixels.pixel(at + offset) == ink)
            return false;
    return true;
}

} // namespace

std::optional<QPoint> findText(const QImage &image, const ScreenText &text, QRect area)
{
    const QImage pixels = image.convertToFormat(QImage::Format_RGB32);
    const Glyphs glyphs = drawGlyphs(text);
    if (glyphs.ink.empty())
        return std::nullopt;
    const QRect search = area.isEmpty() ? pixels.rect() : area & pixels.rect();
    for (int y = search.top(); y + glyphs.size.height() - 1 <= search.bottom(); ++y) {
        for (int x = search.left(); x + glyphs.size.width() - 1 <= search.right(); ++x) {
            if (matches(pixels, QPoint(x, y), glyphs, text.ink.rgb()))
                return QPoint(x, y);
        }
    }
    return std::nullopt;
}

int countColour(const QImage &image, const QColor &colour, QRect area)
{
    int count = 0;
    const QRect within = area & image.rect();
    for (int y = within.top(); y <= within.bottom(); ++y)
        for (int x = within.left(); x <= within.right(); ++x)
            count += image.pixel(x, y) == colour.rgb();
    return count;
}

QImage scaledUp(const QImage &image, int factor)
{
    return image.scaled(image.size() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

} // namespace vxtest
