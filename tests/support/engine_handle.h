// An owned engine context for tests.
#pragma once

#include "vxa_mod.h"

#include <memory>

namespace vxtest {

struct ModDeleter {
    void operator()(vxa_mod *mod) const { vxa_mod_destroy(mod); }
};
using ModHandle = std::unique_ptr<vxa_mod, ModDeleter>;

inline ModHandle createMod(int32_t rate = 44100)
{
    return ModHandle(vxa_mod_create(rate));
}

} // namespace vxtest
