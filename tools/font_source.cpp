#include "font_source.h"

#include "toolkit/glyph_table.h"

#include <optional>
#include <string>

namespace {

struct Line {
    int number;
    std::string_view text;
};

// Walks the source line by line, skipping blank and comment lines.
class LineReader {
public:
    explicit LineReader(std::string_view source) : rest_(source) {}

    std::optional<Line> next()
    {
        while (!rest_.empty()) {
            const std::size_t end = rest_.find('\n');
            const std::string_view text = rest_.substr(0, end);
            rest_ = end == std::string_view::npos ? std::string_view() : rest_.substr(end + 1);
            ++number_;
            if (!text.empty() && !text.starts_with("//"))
                return Line{number_, text};
        }
        return std::nullopt;
    }

    int lineNumber() const { return number_; }

private:
    std::string_view rest_;
    int number_ = 0;
};

[[noreturn]] void fail(int line, const std::string &message)
{
    throw FontSourceError("line " + std::to_string(line) + ": " + message);
}

void checkHeader(const Line &line, char expected)
{
    const std::string header = std::to_string(static_cast<int>(expected)) + " '" + expected + "'";
    if (line.text != header)
        fail(line.number, "expected the glyph header \"" + header + "\"");
}

uint8_t rowBits(const Line &line)
{
    if (line.text.size() != static_cast<std::size_t>(glyphColumns))
        fail(line.number, "a glyph row has exactly 8 characters of '#' and '.'");
    uint8_t bits = 0;
    for (int column = 0; column < glyphColumns; ++column) {
        const char c = line.text[column];
        if (c != '#' && c != '.')
            fail(line.number, "a glyph row has exactly 8 characters of '#' and '.'");
        if (c == '#')
            bits |= glyphColumnBit(column);
    }
    if (bits & glyphColumnBit(glyphColumns - 1))
        fail(line.number, "column 7 must stay empty");
    return bits;
}

Line expectLine(LineReader &reader, const char *what)
{
    const std::optional<Line> line = reader.next();
    if (!line)
        fail(reader.lineNumber(), std::string("the source ends before ") + what);
    return *line;
}

} // namespace

std::vector<uint8_t> compileFontSource(std::string_view source)
{
    LineReader reader(source);
    std::vector<uint8_t> bytes;
    bytes.reserve(fontFileBytes);
    for (int glyph = 0; glyph < glyphCount; ++glyph) {
        checkHeader(expectLine(reader, "all 64 glyphs"), static_cast<char>(firstGlyphCode + glyph));
        for (int row = 0; row < glyphRows; ++row)
            bytes.push_back(rowBits(expectLine(reader, "the glyph's eighth row")));
    }
    if (const std::optional<Line> extra = reader.next())
        fail(extra->number, "text after the last glyph");
    return bytes;
}
