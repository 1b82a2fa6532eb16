// Writes the seed corpus of the module fuzz target: a few small modules of both forms
// with looped and empty samples, effects and an order table beyond the song, and a
// short busy module with an effect on every row.
#include "busy_module.h"
#include "mod_builder.h"

#include <cstdio>
#include <fstream>
#include <string>

using vxtest::ModBuilder;

namespace {

void writeSeed(const std::string &folder, const std::string &name,
               const std::vector<uint8_t> &bytes)
{
    std::ofstream out(folder + "/" + name, std::ios::binary);
    out.write(reinterpret_cast<const char *>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_fuzz_seeds FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    writeSeed(folder, "empty31.mod", ModBuilder().build());
    writeSeed(
        folder, "song31.mod",
        ModBuilder()
            .title("SEED")
            .sample(1, {.name = "ONE", .lengthWords = 16, .finetune = 2, .volume = 48})
            .sample(2,
                    {.name = "LOOP", .lengthWords = 32, .loopStartWords = 4, .loopLengthWords = 20})
            .sample(3, {.lengthWords = 1})
            .song(3, 1, {0, 1, 0, 9})
            .note(0, 0, 0, 428, 1, 0x0C, 0x40)
            .note(0, 1, 1, 214, 2, 0x03, 0x08)
            .note(1, 2, 2, 856, 31, 0x0D, 0x10)
            .build());
    writeSeed(folder, "song15.mod",
              ModBuilder(15)
                  .sample(15, {.lengthWords = 8, .loopStartWords = 2, .loopLengthWords = 4})
                  .song(2, 0, {1, 0})
                  .note(1, 63, 3, 113, 15, 0x0F, 0x7D)
                  .build());
    writeSeed(folder, "busy.mod", vxtest::busyModule(2));
    return 0;
}
