#include "mod_image.h"

#include "song_error.h"
#include "vxa_mod_extras.h"
#include "vxa_mod_layout.h"

#include <string_view>

namespace vexatron::demo {

namespace {

constexpr std::string_view kSignature = VXA_MOD_SIGNATURE;

class ModuleWriter {
public:
    void text(const std::string &value, size_t width)
    {
        for (size_t i = 0; i < width; ++i)
            bytes_.push_back(i < value.size() ? static_cast<uint8_t>(value[i]) : 0);
    }
    void byte(uint8_t value) { bytes_.push_back(value); }
    void word(uint32_t value)
    {
        bytes_.push_back(static_cast<uint8_t>(value >> 8));
        bytes_.push_back(static_cast<uint8_t>(value & 0xFF));
    }

    void sampleHeader(const Instrument *instrument, const SampleData *sample)
    {
        text(instrument ? instrument->name : std::string(), kSampleNameLength);
        word(sample ? static_cast<uint32_t>(sample->bytes.size() / 2) : 0);
        byte(0); // finetune
        byte(static_cast<uint8_t>(instrument ? instrument->volume : 0));
        const bool loops = sample && sample->loopLength > 0;
        word(loops ? sample->loopStart / 2 : 0);
        word(loops ? sample->loopLength / 2 : VXA_MOD_NO_LOOP_WORDS);
    }

    void cell(const Cell &cell)
    {
        const uint32_t period = vxa_mod_note_period(cell.note);
        byte(static_cast<uint8_t>((cell.sample & 0xF0) | (period >> 8)));
        byte(static_cast<uint8_t>(period & 0xFF));
        byte(static_cast<uint8_t>(((cell.sample & 0x0F) << 4) | cell.effect));
        byte(cell.param);
    }

    void data(const SampleData &sample)
    {
        for (const int8_t value : sample.bytes)
            bytes_.push_back(static_cast<uint8_t>(value));
    }

    std::vector<uint8_t> take() { return std::move(bytes_); }

private:
    std::vector<uint8_t> bytes_;
};

// Instrument index by slot, -1 for an empty slot.
std::vector<int> slotTable(const Song &song, const std::vector<SampleData> &samples)
{
    std::vector<int> bySlot(kSlots + 1, -1);
    for (size_t i = 0; i < song.instruments.size(); ++i) {
        const Instrument &instrument = song.instruments[i];
        if (samples[i].bytes.size() > VXA_MOD_MAX_SAMPLE_BYTES)
            throw SongError("the sample of " + instrument.id + " is longer than 131070 bytes");
        bySlot[static_cast<size_t>(instrument.slot)] = static_cast<int>(i);
    }
    return bySlot;
}

} // namespace

std::vector<uint8_t> moduleImage(const Song &song, const std::vector<SampleData> &samples)
{
    const std::vector<int> bySlot = slotTable(song, samples);
    ModuleWriter out;
    out.text(song.title, kTitleLength);
    for (int slot = 1; slot <= kSlots; ++slot) {
        const int index = bySlot[static_cast<size_t>(slot)];
        out.sampleHeader(index < 0 ? nullptr : &song.instruments[static_cast<size_t>(index)],
                         index < 0 ? nullptr : &samples[static_cast<size_t>(index)]);
    }
    out.byte(static_cast<uint8_t>(song.orders.size()));
    out.byte(static_cast<uint8_t>(song.restart));
    for (int position = 0; position < kMaxOrders; ++position)
        out.byte(position < static_cast<int>(song.orders.size())
                     ? song.orders[static_cast<size_t>(position)]
                     : 0);
    out.text(std::string(kSignature), kSignature.size());
    for (const Pattern &pattern : song.patterns) {
        for (const auto &row : pattern.cells) {
            for (const Cell &cell : row)
                out.cell(cell);
        }
    }
    for (int slot = 1; slot <= kSlots; ++slot) {
        const int index = bySlot[static_cast<size_t>(slot)];
        if (index >= 0)
            out.data(samples[static_cast<size_t>(index)]);
    }
    return out.take();
}

} // namespace vexatron::demo
