// The shipped font as a whole: every glyph drawn at 2 x 2 on one sheet, written to
// artifacts/font_sheet.png in the build tree for a person to look at, and checked for the
// properties that keep text legible.
#include "test_canvas.h"
#include "toolkit/vexa_font.h"
#include "ui_tables.h"

#include <gtest/gtest.h>

#include <QDir>

#include <set>

using namespace uitest;

namespace {

constexpr int sheetColumns = 16;
constexpr int scale = 2;
constexpr int cell = 12 * scale; // room around each glyph so neighbours stay apart

QImage renderSheet()
{
    const int width = sheetColumns * cell;
    const int height = glyphCount / sheetColumns * cell;
    TestCanvas canvas(width, height);
    canvas.painter().fillRect(QRect(0, 0, width, height), VexaChrome::colFace);
    for (int g = 0; g < glyphCount; ++g) {
        const char16_t code[] = {static_cast<char16_t>(firstGlyphCode + g)};
        VexaFont::draw(canvas.painter(), QStringView(code, 1), g % sheetColumns * cell + scale,
                       g / sheetColumns * cell + scale, VexaChrome::colInk, scale, scale);
    }
    return canvas.image();
}

int inkRows(const Glyph &glyph)
{
    int rows = 0;
    for (const uint8_t bits : glyph)
        rows += bits != 0 ? 1 : 0;
    return rows;
}

} // namespace

TEST(FontSheet, showsEveryGlyphBitAsA2x2Square_andIsWrittenAsPng)
{
    const QImage sheet = renderSheet();
    const GlyphTable &table = VexaFont::glyphs();
    for (int g = 0; g < glyphCount; ++g) {
        const int left = g % sheetColumns * cell + scale;
        const int top = g / sheetColumns * cell + scale;
        for (int row = 0; row < glyphRows; ++row)
            for (int column = 0; column < glyphColumns; ++column) {
                const bool ink = table[g][row] & glyphColumnBit(column);
                const QColor expected = ink ? VexaChrome::colInk : VexaChrome::colFace;
                ASSERT_EQ(sheet.pixelColor(left + column * scale + 1, top + row * scale + 1),
                          expected)
                    << "glyph " << g << " row " << row << " column " << column;
            }
    }
    ASSERT_TRUE(QDir().mkpath(VXA_ARTIFACT_DIR));
    EXPECT_TRUE(sheet.save(VXA_ARTIFACT_DIR "/font_sheet.png"));
}

TEST(FontSheet, everyPrintableGlyphHasInk_andNoTwoLookAlike)
{
    const GlyphTable &table = VexaFont::glyphs();
    std::set<Glyph> seen;
    for (int g = 1; g < glyphCount; ++g) {
        EXPECT_GT(inkRows(table[g]), 0) << "glyph " << g;
        EXPECT_TRUE(seen.insert(table[g]).second) << "glyph " << g << " repeats another";
    }
}

TEST(FontSheet, inkStaysOutOfColumn7_soCharactersNeverOverlap)
{
    for (const Glyph &glyph : VexaFont::glyphs())
        for (const uint8_t bits : glyph)
            EXPECT_EQ(bits & glyphColumnBit(glyphColumns - 1), 0);
}
