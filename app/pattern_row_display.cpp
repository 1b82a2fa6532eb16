#include "pattern_row_display.h"

#include <cstdio>

namespace vexa {

namespace {

constexpr size_t kNoteNameBuffer = 8;

bool isRealRow(int64_t row)
{
    return row >= 0 && row < kPatternRowCount;
}

PatternRowDisplay blankRow(int64_t playhead, int k)
{
    const int64_t row = playhead + k - kRowsAbovePlayhead;
    return {isRealRow(row) ? row : kPlaceholderIdBase - k,
            row,
            {kBlankCellText, kBlankCellText, kBlankCellText, kBlankCellText},
            k == kRowsAbovePlayhead};
}

} // namespace

std::vector<PatternRowDisplay> PatternRowDisplay::blankWell(int64_t playheadRow)
{
    std::vector<PatternRowDisplay> rows;
    rows.reserve(kVisiblePatternRows);
    for (int k = 0; k < kVisiblePatternRows; ++k)
        rows.push_back(blankRow(playheadRow, k));
    return rows;
}

std::string cellText(const vxa_cell &cell)
{
    char note[kNoteNameBuffer];
    vxa_mod_note_name(cell.note, note, sizeof note);
    char text[32];
    std::snprintf(text, sizeof text, "%s%02X%X%02X", note, cell.sample & 31u, cell.effect & 15u,
                  static_cast<unsigned>(cell.param));
    return text;
}

std::vector<PatternRowDisplay> buildPatternRows(const vxa_mod *mod, uint32_t pattern,
                                                int64_t playhead)
{
    std::vector<PatternRowDisplay> rows;
    rows.reserve(kVisiblePatternRows);
    for (int k = 0; k < kVisiblePatternRows; ++k) {
        PatternRowDisplay row = blankRow(playhead, k);
        for (uint32_t c = 0; isRealRow(row.rowNumber) && c < kChannelCount; ++c) {
            vxa_cell cell{};
            if (vxa_mod_get_cell(mod, static_cast<int32_t>(pattern),
                                 static_cast<uint32_t>(row.rowNumber), c, &cell) == 0)
                row.cells[c] = cellText(cell);
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace vexa
