// Writes the font file from its text source: make_font SOURCE.txt OUTPUT.FNT. The output
// depends on the source alone, so running it again gives the same bytes.
#include "font_source.h"

#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::cerr << "usage: make_font SOURCE.txt OUTPUT.FNT\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::cerr << "make_font: cannot read " << argv[1] << "\n";
        return 1;
    }
    const std::string source{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    try {
        const std::vector<uint8_t> bytes = compileFontSource(source);
        std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char *>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        if (!out.flush()) {
            std::cerr << "make_font: cannot write " << argv[2] << "\n";
            return 1;
        }
    } catch (const FontSourceError &error) {
        std::cerr << argv[1] << ": " << error.what() << "\n";
        return 1;
    }
    return 0;
}
