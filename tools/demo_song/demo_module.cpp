#include "demo_module.h"

#include "mod_image.h"
#include "song_parser.h"
#include "synthesis.h"

namespace vexatron::demo {

std::vector<uint8_t> buildModule(const std::string &songText)
{
    const Song song = parseSong(songText);
    std::vector<SampleData> samples;
    for (const Instrument &instrument : song.instruments)
        samples.push_back(synthesise(instrument));
    return moduleImage(song, samples);
}

} // namespace vexatron::demo
