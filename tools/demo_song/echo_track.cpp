#include "echo_track.h"

namespace vexatron::demo {

namespace {

constexpr uint8_t kEffectSpeed = 0xF;

bool movesTheSong(const Cell &cell)
{
    return cell.effect == kEffectPositionJump || cell.effect == kEffectPatternBreak ||
           cell.effect == kEffectSpeed;
}

class Echo {
public:
    Echo(int volume, const SlotVolumes &slotVolumes) : volume_(volume), slotVolumes_(slotVolumes) {}

    Cell of(const Cell &source)
    {
        Cell echo = source;
        if (movesTheSong(source))
            echo.effect = echo.param = 0;
        if (source.effect == kEffectSetVolume)
            echo.param = scaled(source.param);
        if (source.note != 0)
            chooseInstrument(source, echo);
        return echo;
    }

private:
    void chooseInstrument(const Cell &source, Cell &echo)
    {
        const bool freeEffect = !source.hasEffect() || source.effect == kEffectSetVolume;
        if (freeEffect && source.sample != 0) {
            if (source.effect != kEffectSetVolume) {
                echo.effect = kEffectSetVolume;
                echo.param = scaled(static_cast<uint8_t>(slotVolumes_[source.sample]));
            }
        } else if (source.sample == sample_) {
            echo.sample = 0;
        }
        if (echo.sample != 0)
            sample_ = echo.sample;
    }

    uint8_t scaled(uint8_t sourceVolume) const
    {
        return static_cast<uint8_t>(sourceVolume * volume_ / kMaxVolume);
    }

    int volume_;
    const SlotVolumes &slotVolumes_;
    uint8_t sample_ = 0; // the instrument the echo channel plays
};

} // namespace

Track echoTrack(const Track &source, int delayRows, int volume, const SlotVolumes &slotVolumes)
{
    Track echo(source.size());
    Echo make(volume, slotVolumes);
    for (size_t row = 0; row + static_cast<size_t>(delayRows) < source.size(); ++row)
        echo[row + static_cast<size_t>(delayRows)] = make.of(source[row]);
    return echo;
}

} // namespace vexatron::demo
