#include "keyboard_map.h"

#include <cctype>
#include <string_view>

namespace vexa {

namespace {

// Semitone offsets 0..23: the lower row from C of the octave, the upper row from the
// next C.
constexpr std::string_view kLowerRow = "ZSXDCVGBHNJM";
constexpr std::string_view kUpperRow = "Q2W3ER5T6Y7U";

} // namespace

std::optional<int> keyToNote(char character, int octave)
{
    const char key = static_cast<char>(std::toupper(static_cast<unsigned char>(character)));
    size_t offset = kLowerRow.find(key);
    if (offset == std::string_view::npos) {
        offset = kUpperRow.find(key);
        if (offset == std::string_view::npos)
            return std::nullopt;
        offset += kSemitonesPerOctave;
    }
    const int index = static_cast<int>(offset) + octave * kSemitonesPerOctave;
    if (index > kHighestNote - 1)
        return std::nullopt;
    return index + 1;
}

std::optional<int> keyToHex(char character)
{
    if (character >= '0' && character <= '9')
        return character - '0';
    if (character >= 'A' && character <= 'F')
        return character - 'A' + 10;
    return std::nullopt;
}

} // namespace vexa
