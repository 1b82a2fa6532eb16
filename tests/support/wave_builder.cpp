#include "wave_builder.h"

namespace vxtest {

namespace {

constexpr uint16_t kExtensibleTag = 0xFFFE;
constexpr uint32_t kRate = 44100; // Hz
constexpr uint16_t kExtensionBytes = 22;
// The subformat GUID after its first two bytes, the tag.
constexpr uint8_t kSubformatTail[] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                      0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};
constexpr uint32_t kLoopPreamble = 36; // bytes before the first loop
constexpr uint32_t kLoopCountAt = 28;

void put(std::vector<uint8_t> &out, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

} // namespace

std::vector<uint8_t> riff(const std::vector<Chunk> &chunks)
{
    std::vector<uint8_t> out = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'};
    for (const auto &c : chunks) {
        out.insert(out.end(), c.id, c.id + 4);
        put(out, c.declared != UINT32_MAX ? c.declared : uint32_t(c.data.size()), 4);
        out.insert(out.end(), c.data.begin(), c.data.end());
        if (c.data.size() & 1)
            out.push_back(0);
    }
    return out;
}

Chunk formatChunk(const WaveFormat &format)
{
    const uint16_t blockAlign =
        format.blockAlign ? format.blockAlign : uint16_t(format.channels * format.bits / 8);
    std::vector<uint8_t> data;
    put(data, format.extensible ? kExtensibleTag : format.tag, 2);
    put(data, format.channels, 2);
    put(data, kRate, 4);
    put(data, kRate * blockAlign, 4);
    put(data, blockAlign, 2);
    put(data, format.bits, 2);
    if (format.extensible) {
        put(data, kExtensionBytes, 2);
        put(data, format.bits, 2); // valid bits
        put(data, 0, 4);           // no speaker positions
        put(data, format.tag, 2);
        data.insert(data.end(), std::begin(kSubformatTail), std::end(kSubformatTail));
    }
    return {"fmt ", data};
}

Chunk samplerChunk(const std::vector<std::pair<uint32_t, uint32_t>> &loops)
{
    std::vector<uint8_t> data(kLoopPreamble, 0);
    data[kLoopCountAt] = static_cast<uint8_t>(loops.size());
    for (const auto &[first, last] : loops) {
        put(data, 0, 4); // cue point
        put(data, 0, 4); // forward
        put(data, first, 4);
        put(data, last, 4);
        put(data, 0, 4); // fraction
        put(data, 0, 4); // play count: endless
    }
    return {"smpl", data};
}

} // namespace vxtest
