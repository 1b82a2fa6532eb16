// Writes the seed corpora of the fuzz targets: FOLDER/mod gets a few small modules of
// both forms with looped and empty samples, effects and an order table beyond the song;
// a short busy module with an effect on every row; a module of the commands only the
// full replay mode plays; FOLDER/sample gets edit scripts followed by WAV files of each
// form the loader converts, and a raw file.
#include "busy_module.h"
#include "mod_builder.h"
#include "wave_builder.h"

#include <bit>
#include <cstdio>
#include <filesystem>
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

// Eight edits of three bytes each: operation, then two argument bytes.
const std::vector<uint8_t> kEditScript = {2, 0, 8, 3, 0, 40, 1, 2, 0, 0, 1, 0,
                                          6, 0, 0, 5, 0, 0,  7, 0, 0, 4, 2, 3};

std::vector<uint8_t> withScript(std::vector<uint8_t> file)
{
    file.insert(file.begin(), kEditScript.begin(), kEditScript.end());
    return file;
}

// A WAV file of 64 frames of a rising wave in the given form, with a sampler loop.
std::vector<uint8_t> waveFile(const vxtest::WaveFormat &format)
{
    const int valueBytes = format.bits / 8;
    std::vector<uint8_t> data;
    for (int frame = 0; frame < 64; ++frame) {
        const int32_t value = (frame % 16 - 8) * 0x08000000; // full scale at 32 bits
        const auto level = static_cast<float>(value) / 2147483648.0f;
        uint32_t bits =
            format.tag == 3 ? std::bit_cast<uint32_t>(level) : static_cast<uint32_t>(value);
        if (valueBytes == 1)
            bits ^= 0x80000000u; // 8-bit values are unsigned
        for (int c = 0; c < format.channels; ++c)
            for (int i = 4 - valueBytes; i < 4; ++i)
                data.push_back(static_cast<uint8_t>(bits >> (8 * i)));
    }
    return vxtest::riff(
        {vxtest::formatChunk(format), {"data", data}, vxtest::samplerChunk({{8, 47}})});
}

std::vector<uint8_t> rawFile()
{
    std::vector<uint8_t> raw;
    for (int i = 0; i < 200; ++i)
        raw.push_back(static_cast<uint8_t>(i * 3));
    return raw;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_fuzz_seeds FOLDER\n");
        return 2;
    }
    const std::string folder = std::string(argv[1]) + "/mod";
    std::filesystem::create_directories(folder);
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
    // Finetune, tremolo, retrigger, delays, cuts and a loop, from row 0: the file's last
    // byte, which picks the start row, is 0.
    writeSeed(folder, "extended.mod",
              ModBuilder()
                  .sample(1, {.lengthWords = 16, .finetune = 9, .volume = 40})
                  .sampleData(1, std::vector<uint8_t>(32, 0))
                  .note(0, 0, 0, 428, 1, 0x0E, 0x60)
                  .note(0, 0, 1, 0, 1, 0x0E, 0x93)
                  .note(0, 0, 2, 214, 0, 0x07, 0x4F)
                  .note(0, 0, 3, 856, 1, 0x0E, 0xD2)
                  .note(0, 1, 0, 0, 0, 0x0E, 0xE2)
                  .note(0, 1, 1, 0, 0, 0x0E, 0xC1)
                  .note(0, 1, 2, 0, 0, 0x00, 0x47)
                  .note(0, 1, 3, 0, 0, 0x0E, 0x62)
                  .build());
    const std::string samples = std::string(argv[1]) + "/sample";
    std::filesystem::create_directories(samples);
    const struct {
        const char *name;
        vxtest::WaveFormat format;
    } waves[] = {
        {"wave.bin", {}},
        {"wave16s.bin", {.channels = 2, .bits = 16}},
        {"wave24.bin", {.bits = 24}},
        {"wave32.bin", {.channels = 3, .bits = 32, .extensible = true}},
        {"wavefloat.bin", {.tag = 3, .channels = 2, .bits = 32}},
    };
    for (const auto &wave : waves)
        writeSeed(samples, wave.name, withScript(waveFile(wave.format)));
    writeSeed(samples, "raw.bin", withScript(rawFile()));
    return 0;
}
