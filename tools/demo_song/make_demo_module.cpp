// make_demo_module: writes the demo module from its song source.
//
//   make_demo_module <song source> <module file>
#include "demo_module.h"
#include "song_error.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

namespace {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

int fail(const std::string &message)
{
    std::fprintf(stderr, "make_demo_module: %s\n", message.c_str());
    return kExitFailure;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fputs("usage: make_demo_module <song source> <module file>\n", stderr);
        return kExitUsage;
    }
    const std::string sourcePath = argv[1];
    const std::string modulePath = argv[2];
    std::ifstream source(sourcePath, std::ios::binary);
    if (!source)
        return fail(sourcePath + ": cannot read the file");
    std::ostringstream text;
    text << source.rdbuf();

    std::vector<uint8_t> module;
    try {
        module = vexatron::demo::buildModule(text.str());
    } catch (const vexatron::demo::SongError &error) {
        return fail(sourcePath + ": " + error.what());
    }
    std::ofstream out(modulePath, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char *>(module.data()),
              static_cast<std::streamsize>(module.size()));
    out.close();
    if (!out)
        return fail(modulePath + ": cannot write the file");
    return 0;
}
