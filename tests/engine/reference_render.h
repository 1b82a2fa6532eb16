// The render call as a plain per-frame loop, the simplest reading of the mix: the
// tick countdown checked before every frame, the step recomputed with three divisions
// for every channel and frame, every frame written to the scope rings. The engine's
// render call, which works on runs of frames between ticks, must match it bit for bit.
#pragma once

#include "vxa_mod_internal.h"

namespace vxtest {

void referenceRender(vxa_mod *mod, float *out, int32_t frames);

} // namespace vxtest
