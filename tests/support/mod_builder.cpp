#include "mod_builder.h"

#include <algorithm>

namespace vxtest {

namespace {

constexpr size_t kCellsPerPattern = 64 * 4;

void putWord(std::vector<uint8_t> &out, uint16_t value)
{
    out.push_back(static_cast<uint8_t>(value >> 8));
    out.push_back(static_cast<uint8_t>(value));
}

void putPadded(std::vector<uint8_t> &out, const std::string &text, size_t width)
{
    for (size_t i = 0; i < width; ++i)
        out.push_back(i < text.size() ? static_cast<uint8_t>(text[i]) : 0);
}

} // namespace

ModBuilder::ModBuilder(int numSamples)
    : numSamples_(numSamples), signature_(numSamples == 31 ? "M.K." : "")
{
}

ModBuilder &ModBuilder::title(const std::string &rawBytes)
{
    title_ = rawBytes;
    return *this;
}

ModBuilder &ModBuilder::signature(const std::string &fourBytes)
{
    signature_ = fourBytes;
    return *this;
}

ModBuilder &ModBuilder::sample(int slot, const SampleHeader &header)
{
    headers_.at(slot - 1) = header;
    return *this;
}

ModBuilder &ModBuilder::sampleData(int slot, std::vector<uint8_t> bytes)
{
    data_.at(slot - 1) = std::move(bytes);
    hasData_.at(slot - 1) = true;
    return *this;
}

ModBuilder &ModBuilder::song(uint8_t length, uint8_t restart, const std::vector<uint8_t> &orders)
{
    songLength_ = length;
    restart_ = restart;
    orders_.fill(0);
    std::copy_n(orders.begin(), std::min<size_t>(orders.size(), 128), orders_.begin());
    return *this;
}

ModBuilder &ModBuilder::patternCount(int count)
{
    patternCount_ = count;
    return *this;
}

ModBuilder &ModBuilder::cell(int pattern, int row, int channel, std::array<uint8_t, 4> bytes)
{
    const size_t index = pattern * kCellsPerPattern + row * 4 + channel;
    if (cells_.size() <= index)
        cells_.resize((pattern + 1) * kCellsPerPattern);
    cells_[index] = bytes;
    return *this;
}

ModBuilder &ModBuilder::note(int pattern, int row, int channel, uint16_t period, uint8_t sample,
                             uint8_t effect, uint8_t param)
{
    return cell(pattern, row, channel,
                {static_cast<uint8_t>((sample & 0xF0) | (period >> 8)),
                 static_cast<uint8_t>(period),
                 static_cast<uint8_t>((sample & 0x0F) << 4 | (effect & 0x0F)), param});
}

int ModBuilder::patternCountToWrite() const
{
    if (patternCount_ >= 0)
        return patternCount_;
    const int length = std::min<int>(songLength_, 128);
    const auto highest =
        length > 0 ? *std::max_element(orders_.begin(), orders_.begin() + length) : 0;
    return 1 + std::min<int>(highest, 127);
}

std::vector<uint8_t> ModBuilder::build() const
{
    std::vector<uint8_t> out;
    putPadded(out, title_, 20);
    for (int n = 0; n < numSamples_; ++n) {
        const SampleHeader &h = headers_[n];
        putPadded(out, h.name, 22);
        putWord(out, h.lengthWords);
        out.push_back(h.finetune);
        out.push_back(h.volume);
        putWord(out, h.loopStartWords);
        putWord(out, h.loopLengthWords);
    }
    out.push_back(songLength_);
    out.push_back(restart_);
    out.insert(out.end(), orders_.begin(), orders_.end());
    out.insert(out.end(), signature_.begin(), signature_.end());
    const size_t cellCount = patternCountToWrite() * kCellsPerPattern;
    for (size_t i = 0; i < cellCount; ++i) {
        const auto cell = i < cells_.size() ? cells_[i] : std::array<uint8_t, 4>{};
        out.insert(out.end(), cell.begin(), cell.end());
    }
    for (int n = 0; n < numSamples_; ++n) {
        if (hasData_[n]) {
            out.insert(out.end(), data_[n].begin(), data_[n].end());
            continue;
        }
        for (size_t i = 0; i < headers_[n].lengthWords * 2u; ++i)
            out.push_back(static_cast<uint8_t>(i * 7 + n));
    }
    return out;
}

} // namespace vxtest
