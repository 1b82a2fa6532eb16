#include "instrument_text.h"

#include "cell_text.h"
#include "song_error.h"

#include <charconv>
#include <string_view>
#include <type_traits>
#include <variant>

namespace vexatron::demo {

namespace {

constexpr int kMinCycle = 8;
constexpr int kMaxCycle = 256;
constexpr int kPercent = 100;
constexpr int kMaxHz = 20000;
constexpr int kMaxMs = 4000;
constexpr int kMaxChorusCycles = 512;

template <class Voice> struct Field {
    int Voice::*member;
    int low;
    int high;
};

template <class Voice> struct NumberKey {
    std::string_view key;
    std::vector<Field<Voice>> fields;
};

const std::vector<NumberKey<DrumVoice>> &drumKeys()
{
    using D = DrumVoice;
    static const std::vector<NumberKey<D>> keys = {
        {"length", {{&D::lengthMs, 1, kMaxMs}}},
        {"tone", {{&D::toneStartHz, 0, kMaxHz}, {&D::toneEndHz, 0, kMaxHz}}},
        {"sweep", {{&D::sweepMs, 1, kMaxMs}}},
        {"tone_decay", {{&D::toneDecayMs, 1, kMaxMs}}},
        {"tone_level", {{&D::toneLevel, 0, kPercent}}},
        {"noise", {{&D::noiseLevel, 0, kPercent}, {&D::noiseDecayMs, 1, kMaxMs}}},
        {"band", {{&D::noiseLowHz, 0, kMaxHz}, {&D::noiseHighHz, 0, kMaxHz}}},
    };
    return keys;
}

const std::vector<NumberKey<WaveVoice>> &waveKeys()
{
    using W = WaveVoice;
    static const std::vector<NumberKey<W>> keys = {
        {"cycle", {{&W::cycle, kMinCycle, kMaxCycle}}},
        {"bright", {{&W::brightStart, 0, kPercent}, {&W::brightEnd, 0, kPercent}}},
        {"attack", {{&W::attackMs, 0, kMaxMs}}},
        {"decay", {{&W::decayMs, 1, kMaxMs}}},
        {"sustain", {{&W::sustain, 0, kPercent}}},
        {"head", {{&W::headMs, 0, kMaxMs}}},
        {"chorus", {{&W::chorusCycles, 0, kMaxChorusCycles}, {&W::chorusLevel, 0, kPercent}}},
    };
    return keys;
}

int boundedNumber(const std::string &word, int low, int high, int line)
{
    const int value = parseNumber(word, line);
    if (value < low || value > high)
        throw SongError(line,
                        word + " is outside " + std::to_string(low) + ".." + std::to_string(high));
    return value;
}

// Sets the fields of a numeric key; false when the voice has no such key.
template <class Voice>
bool setNumbers(Voice &voice, const std::vector<NumberKey<Voice>> &keys, const SourceLine &line)
{
    for (const NumberKey<Voice> &key : keys) {
        if (line.words[0] != key.key)
            continue;
        if (line.words.size() != key.fields.size() + 1)
            throw SongError(line.number, line.words[0] + " takes " +
                                             std::to_string(key.fields.size()) + " number(s)");
        for (size_t i = 0; i < key.fields.size(); ++i) {
            const Field<Voice> &field = key.fields[i];
            voice.*field.member =
                boundedNumber(line.words[i + 1], field.low, field.high, line.number);
        }
        return true;
    }
    return false;
}

Shape shapeNamed(const std::string &name, int line)
{
    static const std::vector<std::pair<std::string_view, Shape>> shapes = {
        {"sine", Shape::Sine},         {"saw", Shape::Saw},     {"square", Shape::Square},
        {"triangle", Shape::Triangle}, {"pulse", Shape::Pulse},
    };
    for (const auto &[shapeName, shape] : shapes) {
        if (name == shapeName)
            return shape;
    }
    throw SongError(line, "no wave shape called '" + name + "'");
}

bool setWaveShape(WaveVoice &voice, const SourceLine &line)
{
    if (line.words[0] != "shape")
        return false;
    if (line.words.size() < 2 || line.words.size() > 3)
        throw SongError(line.number, "shape takes a name and, for pulse, a width");
    voice.shape = shapeNamed(line.words[1], line.number);
    if (line.words.size() == 3) {
        if (voice.shape != Shape::Pulse)
            throw SongError(line.number, "only the pulse shape has a width");
        voice.pulseWidth = boundedNumber(line.words[2], 1, kPercent - 1, line.number);
    }
    return true;
}

bool setCommon(Instrument &instrument, const SourceLine &line)
{
    const std::string &key = line.words[0];
    if (key != "name" && key != "volume" && key != "note" && key != "peak")
        return false;
    if (line.words.size() != 2)
        throw SongError(line.number, key + " takes one value");
    const std::string &value = line.words[1];
    if (key == "name") {
        if (value.size() > static_cast<size_t>(kSampleNameLength))
            throw SongError(line.number, "a sample name has at most 22 characters");
        instrument.name = value;
    } else if (key == "volume") {
        instrument.volume = boundedNumber(value, 0, kMaxVolume, line.number);
    } else if (key == "peak") {
        instrument.peak = boundedNumber(value, 1, kPercent, line.number);
    } else {
        const std::optional<uint8_t> note = noteNumber(value);
        if (!note)
            throw SongError(line.number, "'" + value + "' is not a note");
        instrument.note = *note;
    }
    return true;
}

void checkWave(const WaveVoice &voice, int line)
{
    if ((voice.cycle & (voice.cycle - 1)) != 0)
        throw SongError(line, "a wave cycle is a power of two");
    if (voice.chorusCycles == 1)
        throw SongError(line, "a chorus needs at least 2 cycles");
}

} // namespace

int parseNumber(const std::string &word, int line)
{
    int value = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (error != std::errc() || end != word.data() + word.size())
        throw SongError(line, "'" + word + "' is not a number");
    return value;
}

Instrument parseInstrument(const SourceLine &header, const std::vector<SourceLine> &body)
{
    if (header.words.size() != 4)
        throw SongError(header.number, "instrument <slot> <id> drum|wave");
    Instrument instrument;
    instrument.slot = boundedNumber(header.words[1], 1, kSlots, header.number);
    instrument.id = header.words[2];
    instrument.name = instrument.id;
    const std::string &kind = header.words[3];
    if (kind == "drum")
        instrument.voice = DrumVoice{};
    else if (kind == "wave")
        instrument.voice = WaveVoice{};
    else
        throw SongError(header.number, "an instrument is a drum or a wave");

    for (const SourceLine &line : body) {
        if (setCommon(instrument, line))
            continue;
        const bool known = std::visit(
            [&](auto &voice) {
                if constexpr (std::is_same_v<std::decay_t<decltype(voice)>, DrumVoice>)
                    return setNumbers(voice, drumKeys(), line);
                else
                    return setWaveShape(voice, line) || setNumbers(voice, waveKeys(), line);
            },
            instrument.voice);
        if (!known)
            throw SongError(line.number, "a " + kind + " has no '" + line.words[0] + "'");
    }
    if (instrument.note == 0)
        throw SongError(header.number, "instrument " + instrument.id + " needs a note");
    if (const WaveVoice *wave = std::get_if<WaveVoice>(&instrument.voice))
        checkWave(*wave, header.number);
    return instrument;
}

} // namespace vexatron::demo
