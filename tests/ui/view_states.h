// Representative states of the views, shared by the golden images and the probes: a
// pattern around row 0x10 with notes and effects, busy scopes and spectrum, a looped
// sample.
#pragma once

#include "pattern_row_display.h"
#include "views/smp_ed_view.h"

#include <cstdint>
#include <vector>

namespace uitest {

// Eleven rows around `playhead`, with notes in some rows.
std::vector<vexa::PatternRowDisplay> patternRows(int64_t playhead);
std::vector<std::vector<uint8_t>> busyScopes();
std::vector<uint8_t> busySpectrum();
VexaSmpEdModel loopedSample();

} // namespace uitest
