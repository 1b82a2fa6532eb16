// Loading the glyph table: candidate order, short and long files, the blank fallback,
// the underscore rule, and the shipped font being found.
#include "temp_dir.h"
#include "toolkit/vexa_font.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>

using vxtest::TempDir;

namespace {

// File bytes whose every byte is `fill`, except that each glyph's first byte is its index,
// so that a table shows both which file it came from and that glyph g is bytes 8g..8g+7.
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

QStringList paths(std::initializer_list<std::string> files)
{
    QStringList list;
    for (const auto &file : files)
        list << QString::fromStdString(file);
    return list;
}

} // namespace

TEST(FontLoading, fileOf512Bytes_becomesTheTable_glyphByGlyph)
{
    TempDir dir;
    const auto bytes = fontBytes(512, 0x3C);
    const GlyphTable table = VexaFont::loadGlyphs(paths({dir.write("a.FNT", bytes)}));
    EXPECT_EQ(table, tableFrom(bytes));
    EXPECT_EQ(table[33][0], 33);
    EXPECT_EQ(table[33][1], 0x3C);
}

TEST(FontLoading, shorterFilesAreSkipped_andLongerOnesGiveTheirFirst512Bytes)
{
    TempDir dir;
    const auto shortFile = dir.write("short.FNT", fontBytes(511, 0x11));
    const auto longBytes = fontBytes(600, 0x22);
    const auto longFile = dir.write("long.FNT", longBytes);
    EXPECT_EQ(VexaFont::loadGlyphs(paths({shortFile, longFile})), tableFrom(longBytes));
}

TEST(FontLoading, theFirstCandidateThatReadsWholeWins)
{
    TempDir dir;
    const auto first = fontBytes(512, 0x44);
    const auto missing = dir.file("missing.FNT");
    const auto unreadable = dir.path().string(); // a folder cannot be read as a file
    const auto firstFile = dir.write("first.FNT", first);
    const auto secondFile = dir.write("second.FNT", fontBytes(512, 0x55));
    EXPECT_EQ(VexaFont::loadGlyphs(paths({missing, unreadable, firstFile, secondFile})),
              tableFrom(first));
}

TEST(FontLoading, withNoUsableCandidate_everyGlyphIsBlank)
{
    TempDir dir;
    const auto emptyFile = dir.write("empty.FNT", {});
    EXPECT_EQ(VexaFont::loadGlyphs(paths({emptyFile, dir.file("none.FNT")})), GlyphTable{});
    EXPECT_EQ(VexaFont::loadGlyphs({}), GlyphTable{});
}

TEST(FontLoading, underscoreNeverHasInkInRow7_whateverTheFileHolds)
{
    TempDir dir;
    const GlyphTable table =
        VexaFont::loadGlyphs(paths({dir.write("full.FNT", std::vector<uint8_t>(512, 0xFF))}));
    EXPECT_EQ(table[underscoreGlyph][glyphRows - 1], 0);
    EXPECT_EQ(table[underscoreGlyph][glyphRows - 2], 0xFF);
    EXPECT_EQ(table[underscoreGlyph - 1][glyphRows - 1], 0xFF);
}

TEST(FontLoading, resourceFolderBesideTheProgram_comesBeforeTheSourceTree)
{
    const QStringList candidates = VexaFont::fontCandidates();
    const QString resources = QCoreApplication::applicationDirPath() + "/resources/";
    ASSERT_EQ(candidates.size(), 3);
    EXPECT_EQ(candidates[0], resources + "ST20.FNT");
    EXPECT_EQ(candidates[1], resources + "ST20.fnt");
    EXPECT_EQ(QDir::cleanPath(candidates[2]),
              QDir::cleanPath(QStringLiteral(VXA_SOURCE_DIR "/resources/ST20.FNT")));
}

TEST(FontLoading, sharedTableIsTheShippedFont)
{
    const auto bytes = vxtest::readFile(VXA_SOURCE_DIR "/resources/ST20.FNT");
    ASSERT_EQ(bytes.size(), fontFileBytes);
    EXPECT_EQ(VexaFont::glyphs(), tableFrom(bytes));
}
