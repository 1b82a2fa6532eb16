// Builds MOD module files byte by byte, in the 31-sample or the 15-sample form, for the
// engine tests, the fuzz seed corpus and the benchmarks.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace vxtest {

struct SampleHeader {
    std::string name{};       // raw bytes, padded with NUL to 22
    uint16_t lengthWords = 0; // length in words
    uint8_t finetune = 0;
    uint8_t volume = 64;
    uint16_t loopStartWords = 0;
    uint16_t loopLengthWords = 1;
};

class ModBuilder {
public:
    // 31 samples carry the signature "M.K."; 15 samples have none.
    explicit ModBuilder(int numSamples = 31);

    ModBuilder &title(const std::string &rawBytes);
    ModBuilder &signature(const std::string &fourBytes);
    ModBuilder &sample(int slot, const SampleHeader &header);
    // Sample data for a slot; by default a slot gets a ramp of its header length.
    ModBuilder &sampleData(int slot, std::vector<uint8_t> bytes);
    ModBuilder &song(uint8_t length, uint8_t restart, const std::vector<uint8_t> &orders);
    // Number of patterns stored; by default 1 + the highest order inside the song.
    ModBuilder &patternCount(int count);
    // The 4 file bytes of a cell.
    ModBuilder &cell(int pattern, int row, int channel, std::array<uint8_t, 4> bytes);
    // A cell from its parts, in the file's encoding.
    ModBuilder &note(int pattern, int row, int channel, uint16_t period, uint8_t sample,
                     uint8_t effect = 0, uint8_t param = 0);

    std::vector<uint8_t> build() const;

private:
    int patternCountToWrite() const;

    int numSamples_;
    std::string title_;
    std::string signature_;
    std::array<SampleHeader, 31> headers_{};
    std::array<std::vector<uint8_t>, 31> data_{};
    std::array<bool, 31> hasData_{};
    uint8_t songLength_ = 1;
    uint8_t restart_ = 0;
    std::array<uint8_t, 128> orders_{};
    int patternCount_ = -1;
    std::vector<std::array<uint8_t, 4>> cells_; // grows with the patterns used
};

} // namespace vxtest
