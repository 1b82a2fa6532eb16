// Drawing text with the bitmap font: bit order, pixel squares, the 7-point advance, case
// folding, characters outside the font, scale clamping and the allocation-free path.
#include "alloc_counter.h"
#include "test_canvas.h"
#include "toolkit/vexa_font.h"

#include <gtest/gtest.h>

using namespace uitest;

namespace {

const QColor ink{0, 0, 0};

// A table whose "A" has ink only at (column 0, row 0) and (column 7, row 2), and whose
// "B" is solid, so that each drawn point says which bit produced it.
GlyphTable probeTable()
{
    GlyphTable table{};
    table['A' - firstGlyphCode][0] = 0x80;
    table['A' - firstGlyphCode][2] = 0x01;
    table['B' - firstGlyphCode].fill(0xFF);
    return table;
}

void drawProbe(TestCanvas &canvas, QStringView text, qreal x, qreal y, int sx = 1, int sy = 1)
{
    VexaFont::draw(canvas.painter(), text, x, y, ink, sx, sy, probeTable());
}

} // namespace

TEST(FontDrawing, bit7IsColumn0_andBit0IsColumn7)
{
    TestCanvas canvas;
    drawProbe(canvas, u"A", 10, 5);
    EXPECT_EQ(canvas.at(10, 5), ink);
    EXPECT_EQ(canvas.at(17, 7), ink);
    EXPECT_EQ(canvas.count(ink, QRect(0, 0, 64, 32)), 2);
}

TEST(FontDrawing, cellsAdvanceSevenFontPixels_soColumn7OverlapsTheNextCell)
{
    TestCanvas canvas;
    drawProbe(canvas, u"BB", 0, 0, 2, 1);
    EXPECT_EQ(canvas.count(ink, QRect(0, 0, 64, 8)), (7 + 8) * 2 * 8);
    EXPECT_EQ(canvas.at(29, 0), ink);
    EXPECT_EQ(canvas.at(30, 0), background);

    TestCanvas spaced;
    drawProbe(spaced, u"AA", 0, 0);
    EXPECT_EQ(spaced.at(7, 0), ink); // the second "A" starts 7 points on
}

TEST(FontDrawing, lowerCaseLettersUseTheUpperCaseGlyphs)
{
    TestCanvas upper, lower;
    drawProbe(upper, u"AbA", 0, 0);
    drawProbe(lower, u"aBa", 0, 0);
    EXPECT_EQ(upper.image(), lower.image());
    EXPECT_GT(upper.count(ink, QRect(0, 0, 64, 32)), 0);
}

TEST(FontDrawing, charactersOutsideTheFontDrawAsSpaces_oneCellEach)
{
    // Each text puts one unknown character between two "A"s; the second "A" must land
    // 14 points on, so every unknown character takes exactly one cell and draws nothing.
    const std::u16string unknowns[] = {u"{",      u"~",  u"`",          u"\u00e9", u"\u00c9",
                                       u"\u007f", u"\n", u"\U0001F600", u"\u0400"};
    TestCanvas reference;
    drawProbe(reference, u"A A", 0, 0);
    for (const auto &unknown : unknowns) {
        TestCanvas canvas;
        drawProbe(canvas, u"A" + unknown + u"A", 0, 0);
        EXPECT_EQ(canvas.image(), reference.image()) << "code " << int(unknown[0]);
    }
}

TEST(FontDrawing, scalesBelowOneCountAsOne)
{
    TestCanvas one;
    drawProbe(one, u"BA", 3, 3, 1, 1);
    for (const auto &[sx, sy] : {std::pair{0, 0}, {-3, 1}, {1, -1}, {0, -7}}) {
        TestCanvas canvas;
        drawProbe(canvas, u"BA", 3, 3, sx, sy);
        EXPECT_EQ(canvas.image(), one.image()) << sx << " x " << sy;
    }
}

TEST(FontDrawing, emptyTextPaintsNothing)
{
    TestCanvas canvas;
    drawProbe(canvas, u"", 0, 0);
    EXPECT_EQ(canvas.count(background, QRect(0, 0, 64, 32)), 64 * 32);
}

TEST(FontDrawing, coversExactlyOneSquarePerInkBit_atAnyOriginAndScale)
{
    // Reference: the plain rule, one filled square per ink bit of each glyph.
    const auto reference = [](QPainter &painter, const GlyphTable &table, QStringView text, qreal x,
                              qreal y, int sx, int sy) {
        for (const QChar c : text) {
            const Glyph &glyph = table[c.toUpper().unicode() - firstGlyphCode];
            for (int row = 0; row < glyphRows; ++row)
                for (int column = 0; column < glyphColumns; ++column)
                    if (glyph[row] & glyphColumnBit(column))
                        painter.fillRect(QRectF(x + column * sx, y + row * sy, sx, sy), ink);
            x += 7 * sx;
        }
    };
    GlyphTable patterned;
    for (int g = 0; g < glyphCount; ++g)
        for (int row = 0; row < glyphRows; ++row)
            patterned[g][row] = static_cast<uint8_t>((g * 37 + row * 101) ^ (row * g));
    const QString text = QString::fromUtf16(u"0123456789ABCDEF-#_WM@%&");
    for (const GlyphTable *table :
         {&VexaFont::glyphs(), static_cast<const GlyphTable *>(&patterned)})
        for (const QPointF origin : {QPointF(0, 0), QPointF(3.5, 2.5), QPointF(1.25, 0.75),
                                     QPointF(2.49, 1.51), QPointF(-3.7, -2.2)})
            for (const auto &[sx, sy] : {std::pair{1, 1}, {2, 2}, {3, 1}, {1, 3}}) {
                TestCanvas expected(400, 40), actual(400, 40);
                reference(expected.painter(), *table, text, origin.x(), origin.y(), sx, sy);
                VexaFont::draw(actual.painter(), text, origin.x(), origin.y(), ink, sx, sy, *table);
                ASSERT_EQ(actual.image(), expected.image())
                    << "origin " << origin.x() << "," << origin.y() << " scale " << sx << "x" << sy;
            }
}

TEST(FontDrawing, drawingAllocatesNothing_howeverLongTheText)
{
    const QString text = QString::fromUtf16(u"C-3 1F 0C20 d#2 xyz ~{}").repeated(20);
    const GlyphTable table = probeTable();
    TestCanvas canvas(640, 64);
    VexaFont::draw(canvas.painter(), text, 0, 0, ink, 2, 2, table); // first use may set up
    AllocationCounter allocations;
    VexaFont::draw(canvas.painter(), text, 0, 20, ink, 2, 2, table);
    VexaFont::draw(canvas.painter(), u"\U0001F600 tail", 5, 40, ink, 1, 1, table);
    EXPECT_EQ(allocations.count(), 0u);
}
