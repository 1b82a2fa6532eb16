// Where the demo module and its song source live in the source tree.
#pragma once

#include <string>

namespace vxtest {

inline const std::string kDemoModulePath = VXA_SOURCE_DIR "/resources/SPACE_DEBRIS.MOD";
inline const std::string kDemoSongPath = VXA_SOURCE_DIR "/tools/demo_song/space_debris.song";

} // namespace vxtest
