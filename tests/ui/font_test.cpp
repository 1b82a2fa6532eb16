// The bitmap font: loading the glyph table (candidate order, short and long files, the
// blank fallback, the underscore rule), the shipped glyphs all different and the
// look-alikes kept apart, drawing (against the plain rule at any origin and scale, case
// folding, unknown characters, scale clamping, no allocation).
#include "source_tree.h"
#include "temp_dir.h"
#include "test_canvas.h"
#include "toolkit/vexa_font.h"

#include <gtest/gtest.h>

#include <atomic>
#include <bit>
#include <cstdlib>
#include <new>
#include <set>

using namespace uitest;
using vxtest::TempDir;

// Counts heap allocations while `countingAllocations` is set.
namespace {
std::atomic<bool> countingAllocations{false};
std::atomic<int> allocations{0};
} // namespace

void *operator new(std::size_t size)
{
    if (countingAllocations)
        ++allocations;
    if (void *block = std::malloc(size == 0 ? 1 : size))
        return block;
    throw std::bad_alloc();
}
void operator delete(void *block) noexcept
{
    std::free(block);
}
void operator delete(void *block, std::size_t) noexcept
{
    std::free(block);
}

namespace {

// File bytes all `fill`, except that each glyph's first byte is its index, so that a
// table shows which file it came from and that glyph g is bytes 8g..8g+7.
std::vector<uint8_t> fontBytes(std::size_t size, uint8_t fill)
{
    std::vector<uint8_t> bytes(size, fill);
    for (std::size_t g = 0; g * glyphRows < size; ++g)
        bytes[g * glyphRows] = static_cast<uint8_t>(g);
    return bytes;
}

GlyphTable tableFrom(const std::vector<uint8_t> &bytes)
{
    GlyphTable table;
    std::copy_n(bytes.begin(), fontFileBytes, &table[0][0]);
    table[underscoreGlyph][glyphRows - 1] = 0;
    return table;
}

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

QImage drawProbe(QStringView text, qreal x, qreal y, int sx = 1, int sy = 1)
{
    TestCanvas canvas;
    VexaFont::draw(canvas.painter(), text, x, y, ink, sx, sy, probeTable());
    return canvas.image();
}

} // namespace

TEST(FontLoading, firstCandidateReadWholeWins_shortFilesSkipped_longOnesCut_elseBlank)
{
    TempDir dir;
    const auto exact = fontBytes(512, 0x3C), longer = fontBytes(600, 0x22);
    const auto load = [&](std::initializer_list<std::string> files) {
        QStringList list;
        for (const auto &file : files)
            list << QString::fromStdString(file);
        return VexaFont::loadGlyphs(list);
    };
    const auto exactFile = dir.write("exact.FNT", exact);
    const auto shortFile = dir.write("short.FNT", fontBytes(511, 0x11));
    const auto longFile = dir.write("long.FNT", longer);
    const GlyphTable table = load({dir.file("missing.FNT"), dir.path().string(), exactFile});
    EXPECT_EQ(table, tableFrom(exact));
    EXPECT_EQ(table[33][0], 33);
    EXPECT_EQ(table[33][1], 0x3C);
    EXPECT_EQ(load({shortFile, longFile, exactFile}), tableFrom(longer));
    EXPECT_EQ(load({shortFile, dir.write("empty.FNT", {})}), GlyphTable{});
}

TEST(FontLoading, underscoreNeverHasInkInRow7_whateverTheFileHolds)
{
    TempDir dir;
    const GlyphTable table = VexaFont::loadGlyphs(
        {QString::fromStdString(dir.write("full.FNT", std::vector<uint8_t>(512, 0xFF)))});
    EXPECT_EQ(table[underscoreGlyph][glyphRows - 1], 0);
    EXPECT_EQ(table[underscoreGlyph][glyphRows - 2], 0xFF);
    EXPECT_EQ(table[underscoreGlyph - 1][glyphRows - 1], 0xFF);
}

TEST(FontLegibility, shippedGlyphsAllHaveInkAndDiffer_lookAlikesInAtLeast8Points)
{
    const GlyphTable &table = VexaFont::glyphs(); // the shipped font, installed by the main
    std::set<Glyph> seen;
    for (int g = 1; g < glyphCount; ++g) // glyph 0 is the space
        EXPECT_TRUE(table[g] != Glyph{} && seen.insert(table[g]).second)
            << "glyph " << g << " is blank or repeats another";
    const auto glyph = [&](char c) { return table[c - firstGlyphCode]; };
    for (const std::string group : {"08BDOQ", "1IL7", "2Z", "5S", "6G", "UVY", "MWHN", "<(", ">)"})
        for (size_t i = 0; i < group.size(); ++i)
            for (size_t j = i + 1; j < group.size(); ++j) {
                int differing = 0;
                for (int row = 0; row < glyphRows; ++row)
                    differing += std::popcount(
                        static_cast<unsigned>(glyph(group[i])[row] ^ glyph(group[j])[row]));
                EXPECT_GE(differing, 8) << group[i] << " and " << group[j];
            }
}

TEST(FontDrawing, lowerCaseUsesUpperCase_unknownsDrawAsOneBlankCell_scalesBelowOneAreOne)
{
    EXPECT_EQ(drawProbe(u"AbA", 0, 0), drawProbe(u"aBa", 0, 0));
    const QImage spaced = drawProbe(u"A A", 0, 0);
    for (const std::u16string unknown :
         {u"{", u"~", u"`", u"\u00e9", u"\u007f", u"\n", u"\U0001F600", u"\u0400"})
        EXPECT_EQ(drawProbe(u"A" + unknown + u"A", 0, 0), spaced) << int(unknown[0]);
    for (const auto &[sx, sy] : {std::pair{0, 0}, {-3, 1}, {1, -1}})
        EXPECT_EQ(drawProbe(u"BA", 3, 3, sx, sy), drawProbe(u"BA", 3, 3)) << sx << "x" << sy;
}

TEST(FontDrawing, coversExactlyOneSquarePerInkBit_atAnyOriginAndScale)
{
    // Reference: the plain rule, one filled square per ink bit, bit 7 leftmost.
    const auto reference = [](QPainter &painter, const GlyphTable &table, QStringView text, qreal x,
                              qreal y, int sx, int sy) {
        for (const QChar c : text) {
            const Glyph &glyph = table[c.toUpper().unicode() - firstGlyphCode];
            for (int row = 0; row < 8; ++row)
                for (int column = 0; column < 8; ++column)
                    if (glyph[row] & (0x80 >> column))
                        painter.fillRect(QRectF(x + column * sx, y + row * sy, sx, sy), ink);
            x += 7 * sx;
        }
    };
    GlyphTable patterned;
    for (int g = 0; g < glyphCount; ++g)
        for (int row = 0; row < glyphRows; ++row)
            patterned[g][row] = static_cast<uint8_t>((g * 37 + row * 101) ^ (row * g));
    const QString text = QString::fromUtf16(u"0123456789ABCDEF-#_WM@%&");
    for (const GlyphTable *table : {&VexaFont::glyphs(), &std::as_const(patterned)})
        for (const QPointF origin :
             {QPointF(0, 0), QPointF(3.5, 2.5), QPointF(2.49, 1.51), QPointF(-3.7, -2.2)})
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
    allocations = 0;
    countingAllocations = true;
    VexaFont::draw(canvas.painter(), text, 0, 20, ink, 2, 2, table);
    VexaFont::draw(canvas.painter(), u"\U0001F600 tail", 5, 40, ink, 1, 1, table);
    countingAllocations = false;
    EXPECT_EQ(allocations, 0);
}
