#include "toolkit/vexa_font.h"

#include "toolkit/aliased_painting.h"

#include <QFile>
#include <QPainter>

#include <algorithm>
#include <cstring>

namespace VexaFont {

namespace {

bool readGlyphsFrom(const QString &path, GlyphTable &table)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError ||
        static_cast<std::size_t>(bytes.size()) < fontFileBytes)
        return false;
    std::memcpy(table.data(), bytes.constData(), fontFileBytes);
    return true;
}

// Calls `visit` with each Unicode scalar value of the text and the index just past it;
// stops early when `visit` returns false. An unpaired surrogate counts as one character.
template <typename Visit> void forEachCharacter(QStringView text, Visit visit)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t code = text[i].unicode();
        if (QChar::isHighSurrogate(code) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            code = QChar::surrogateToUcs4(text[i], text[i + 1]);
            ++i;
        }
        if (!visit(code, i + 1))
            return;
    }
}

int glyphIndex(char32_t code)
{
    if (code >= U'a' && code <= U'z')
        code -= U'a' - U'A';
    if (code < firstGlyphCode || code >= firstGlyphCode + glyphCount)
        return 0;
    return static_cast<int>(code - firstGlyphCode);
}

// Paints the ink of one glyph. Neighbouring ink squares are merged into one rectangle:
// horizontal runs within a row, over as many following rows as repeat the same bits. The
// points covered are exactly those of one square per ink bit, with a fraction of the
// calls into the painter (the whole screen's text is painted this way on every repaint).
void drawGlyph(QPainter &painter, const Glyph &glyph, qreal x, qreal y, const QColor &color, int sx,
               int sy)
{
    for (int row = 0; row < glyphRows;) {
        const uint8_t bits = glyph[row];
        int rows = 1;
        while (row + rows < glyphRows && glyph[row + rows] == bits)
            ++rows;
        for (int column = 0; column < glyphColumns;) {
            if (!(bits & glyphColumnBit(column))) {
                ++column;
                continue;
            }
            const int start = column;
            while (column < glyphColumns && (bits & glyphColumnBit(column)))
                ++column;
            painter.fillRect(QRectF(x + start * sx, y + row * sy, (column - start) * sx, rows * sy),
                             color);
        }
        row += rows;
    }
}

} // namespace

GlyphTable loadGlyphs(const QStringList &candidates)
{
    GlyphTable table{};
    for (const QString &path : candidates) {
        if (readGlyphsFrom(path, table))
            break;
    }
    table[underscoreGlyph][glyphRows - 1] = 0;
    return table;
}

namespace {

GlyphTable &installedTable()
{
    static GlyphTable table{};
    return table;
}

} // namespace

const GlyphTable &glyphs()
{
    return installedTable();
}

void installGlyphs(const GlyphTable &table)
{
    installedTable() = table;
}

int characterCount(QStringView text)
{
    int count = 0;
    forEachCharacter(text, [&](char32_t, qsizetype) {
        ++count;
        return true;
    });
    return count;
}

QStringView leadingCharacters(QStringView text, int count)
{
    qsizetype end = 0;
    int taken = 0;
    forEachCharacter(text, [&](char32_t, qsizetype next) {
        if (taken == count)
            return false;
        ++taken;
        end = next;
        return true;
    });
    return text.first(end);
}

void draw(QPainter &painter, QStringView text, qreal x, qreal y, const QColor &color, int scaleX,
          int scaleY, const GlyphTable &table)
{
    const AliasedPainting aliased(painter);
    const int sx = std::max(1, scaleX);
    const int sy = std::max(1, scaleY);
    forEachCharacter(text, [&](char32_t code, qsizetype) {
        drawGlyph(painter, table[glyphIndex(code)], x, y, color, sx, sy);
        x += advance * sx;
        return true;
    });
}

} // namespace VexaFont
