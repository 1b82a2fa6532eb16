#include "source_lines.h"

#include "song_error.h"

#include <cctype>
#include <sstream>

namespace vexatron::demo {

namespace {

bool isSpace(char c)
{
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

std::vector<std::string> splitWords(const std::string &line, int number)
{
    std::vector<std::string> words;
    size_t i = 0;
    while (i < line.size()) {
        if (isSpace(line[i])) {
            ++i;
        } else if (line[i] == '#') {
            break;
        } else if (line[i] == '"') {
            const size_t close = line.find('"', i + 1);
            if (close == std::string::npos)
                throw SongError(number, "unterminated quoted text");
            words.push_back(line.substr(i + 1, close - i - 1));
            i = close + 1;
        } else {
            const size_t start = i;
            while (i < line.size() && !isSpace(line[i]))
                ++i;
            words.push_back(line.substr(start, i - start));
        }
    }
    return words;
}

} // namespace

std::vector<SourceLine> splitSource(const std::string &text)
{
    std::vector<SourceLine> lines;
    std::istringstream stream(text);
    std::string line;
    for (int number = 1; std::getline(stream, line); ++number) {
        SourceLine parsed{number, !line.empty() && isSpace(line[0]), splitWords(line, number)};
        if (!parsed.words.empty())
            lines.push_back(std::move(parsed));
    }
    return lines;
}

} // namespace vexatron::demo
