// Compiling the font's text source: the bit layout of the file and the mistakes in a
// source that must stop the tool rather than produce a wrong font.
#include "font_source.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string blankRow = "........\n";

// A whole, valid source: a comment, then glyphs 32..95 with a header line and eight
// blank rows each, and a blank line after each glyph; `code` gets `rows` instead.
std::string source(int code = -1, const std::string &rows = "")
{
    std::string text = "// test font\n\n";
    for (int c = 32; c < 96; ++c) {
        text += std::to_string(c) + " '" + static_cast<char>(c) + "'\n";
        for (int row = 0; row < 8; ++row)
            text += c == code ? "" : blankRow;
        text += (c == code ? rows : "") + "\n";
    }
    return text;
}

std::string errorOf(const std::string &text)
{
    try {
        compileFontSource(text);
    } catch (const FontSourceError &error) {
        return error.what();
    }
    return "";
}

} // namespace

TEST(FontSource, writes512Bytes_glyphByGlyph_column0AsBit7)
{
    const auto bytes =
        compileFontSource(source('A', "#.......\n.#####..\n......#.\n" + std::string(blankRow) +
                                          blankRow + blankRow + blankRow + "##.#.##.\n"));
    ASSERT_EQ(bytes.size(), 512u);
    const std::size_t a = ('A' - 32) * 8;
    EXPECT_EQ(bytes[a + 0], 0x80);
    EXPECT_EQ(bytes[a + 1], 0x7C);
    EXPECT_EQ(bytes[a + 2], 0x02);
    EXPECT_EQ(bytes[a + 7], 0xD6);
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), 0), 512 - 4);
}

TEST(FontSource, mistakesAreRefusedWithTheirLine)
{
    // Glyph "B" (index 34) has its header on line 3 + 10 x 34 = 343.
    std::string sevenBlank;
    for (int row = 0; row < 7; ++row)
        sevenBlank += blankRow;
    const auto withBRow0 = [&](const std::string &row) {
        return source('B', row + "\n" + sevenBlank);
    };
    const std::string whole = source(), untilA = whole.substr(0, whole.find("65 'A'"));
    const struct {
        std::string text;
        std::string error;
    } cases[] = {
        {withBRow0("#.#.#.#"), "line 344: a glyph row has exactly 8 characters"},
        {withBRow0("#.#.#.#.."), "line 344: a glyph row has exactly 8 characters"},
        {withBRow0("#.#.#.x."), "line 344: a glyph row has exactly 8 characters"},
        {withBRow0(".......#"), "line 344: column 7 must stay empty"},
        {untilA + "66 'B'\n", "line 333: expected the glyph header \"65 'A'\""},
        {untilA + "65 'a'\n", "line 333: expected the glyph header \"65 'A'\""},
        {whole.substr(0, whole.rfind("95 '_'")), "the source ends before all 64 glyphs"},
        {whole.substr(0, whole.size() - 1 - blankRow.size()),
         "the source ends before the glyph's eighth row"},
        {whole + blankRow, "line 643: text after the last glyph"},
    };
    for (const auto &c : cases)
        EXPECT_NE(errorOf(c.text).find(c.error), std::string::npos)
            << "expected: " << c.error << "\ngot: " << errorOf(c.text);
}
