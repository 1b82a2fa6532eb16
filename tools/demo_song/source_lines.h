// The song source cut into lines of words. A word that begins with '#' starts a
// comment that runs to the end of the line ('#' inside a word, as in C#2, is part of
// the word); "double quotes" make one word of text with spaces.
#pragma once

#include <string>
#include <vector>

namespace vexatron::demo {

struct SourceLine {
    int number = 0;        // 1-based line number in the source
    bool indented = false; // continues the block of the last unindented line
    std::vector<std::string> words;
};

// The lines that hold words, in order; blank and comment-only lines are left out.
std::vector<SourceLine> splitSource(const std::string &text);

} // namespace vexatron::demo
