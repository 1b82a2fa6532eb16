#include "cell_text.h"

#include "song_error.h"

#include <cctype>
#include <charconv>

namespace vexatron::demo {

namespace {

constexpr int kNotesPerOctave = 12;
constexpr int kLowestOctave = 1;
constexpr int kHighestOctave = 3;
constexpr int kMaxRepeat = kRows;
constexpr int kEffectDigits = 3;
constexpr int kHexBase = 16;
constexpr std::string_view kNoteNames = "C-C#D-D#E-F-F#G-G#A-A#B-";

int hexDigit(char c, int line)
{
    const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (lower >= '0' && lower <= '9')
        return lower - '0';
    if (lower >= 'a' && lower <= 'f')
        return lower - 'a' + 10;
    throw SongError(line, std::string("'") + c + "' is not a hex digit");
}

int instrumentSlot(const std::string &id, const CellContext &context, int line)
{
    const auto found = context.instrumentSlots->find(id);
    if (found == context.instrumentSlots->end())
        throw SongError(line, "no instrument called '" + id + "'");
    return found->second;
}

// A note with its instrument: "A-2", "A-2@bass" or "A-2@-".
std::optional<Cell> noteCell(std::string_view text, const CellContext &context, int line)
{
    const size_t at = text.find('@');
    const std::optional<uint8_t> note = noteNumber(text.substr(0, at));
    if (!note)
        return std::nullopt;
    Cell cell;
    cell.note = *note;
    if (at == std::string_view::npos) {
        if (context.phraseSample == 0)
            throw SongError(line, "the note " + std::string(text) + " has no instrument");
        cell.sample = static_cast<uint8_t>(context.phraseSample);
    } else if (text.substr(at + 1) != "-") {
        cell.sample =
            static_cast<uint8_t>(instrumentSlot(std::string(text.substr(at + 1)), context, line));
    }
    return cell;
}

// Everything before the effect: '.', '=', a note, or (when allowed) an alias.
Cell headCell(std::string_view text, CellContext &context, int line, bool allowAlias)
{
    if (text == ".")
        return Cell{};
    if (text == "=") {
        if (!context.lastNote)
            throw SongError(line, "'=' with no note before it in the phrase");
        return *context.lastNote;
    }
    if (const std::optional<Cell> cell = noteCell(text, context, line))
        return *cell;
    const auto alias = context.aliases->find(std::string(text));
    if (!allowAlias || alias == context.aliases->end())
        throw SongError(line, "'" + std::string(text) + "' is neither a note nor an alias");
    const std::string &expansion = alias->second;
    const size_t colon = expansion.find(':');
    Cell cell = headCell(std::string_view(expansion).substr(0, colon), context, line, false);
    if (colon != std::string::npos) {
        const Cell effect = effectCell(std::string_view(expansion).substr(colon + 1), line);
        cell.effect = effect.effect;
        cell.param = effect.param;
    }
    return cell;
}

int repeatCount(std::string_view text, int line)
{
    int count = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), count);
    if (error != std::errc() || end != text.data() + text.size() || count < 1 || count > kMaxRepeat)
        throw SongError(line, "'" + std::string(text) + "' is not a repeat count of 1..64");
    return count;
}

} // namespace

std::optional<uint8_t> noteNumber(std::string_view text)
{
    if (text.size() != 3 || text[2] < '0' + kLowestOctave || text[2] > '0' + kHighestOctave)
        return std::nullopt;
    for (size_t i = 0; i < kNoteNames.size(); i += 2) {
        if (kNoteNames.substr(i, 2) == text.substr(0, 2)) {
            const int octave = text[2] - '0' - kLowestOctave;
            return static_cast<uint8_t>(octave * kNotesPerOctave + static_cast<int>(i / 2) + 1);
        }
    }
    return std::nullopt;
}

Cell effectCell(std::string_view text, int line)
{
    if (text.size() != kEffectDigits)
        throw SongError(line, "effect '" + std::string(text) + "' is not three hex digits");
    Cell cell;
    cell.effect = static_cast<uint8_t>(hexDigit(text[0], line));
    cell.param = static_cast<uint8_t>(hexDigit(text[1], line) * kHexBase + hexDigit(text[2], line));
    return cell;
}

void appendCells(const std::string &word, CellContext &context, int line, Track &track)
{
    const std::string_view text(word);
    const size_t star = text.find('*');
    const int count = star == std::string_view::npos ? 1 : repeatCount(text.substr(star + 1), line);
    const std::string_view core = text.substr(0, star);
    const size_t colon = core.find(':');
    Cell cell = headCell(core.substr(0, colon), context, line, true);
    if (colon != std::string_view::npos) {
        const Cell effect = effectCell(core.substr(colon + 1), line);
        cell.effect = effect.effect;
        cell.param = effect.param;
    }
    if (cell.note != 0)
        context.lastNote = cell;
    track.insert(track.end(), static_cast<size_t>(count), cell);
}

} // namespace vexatron::demo
