// The file names the save dialogs suggest: the module's title without its version tag,
// or the sample's name, trimmed, with the file type's suffix.
#pragma once

#include <string>

struct VexaDefaultFileNames {
    // "MY SONG(VXv3)" suggests "MY SONG.mod"; a blank title "module.mod".
    static std::string module(const std::string &title);
    // "kick " suggests "kick.smp"; a blank name "sample.smp".
    static std::string sample(const std::string &sampleName);
    // The song as a WAV file: "MY SONG(VXv3)" suggests "MY SONG.wav"; a blank title
    // "module.wav".
    static std::string wav(const std::string &title);
};
