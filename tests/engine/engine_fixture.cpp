#include "engine_fixture.h"

namespace vxtest {

std::vector<uint8_t> positionRamp(size_t bytes)
{
    std::vector<uint8_t> ramp(bytes);
    for (size_t i = 0; i < bytes; ++i)
        ramp[i] = static_cast<uint8_t>(i & 0x7F);
    return ramp;
}

void EngineTest::load(const ModBuilder &builder)
{
    const auto path = dir.write("test.mod", builder.build());
    ASSERT_EQ(vxa_mod_load(mod.get(), path.c_str()), 0);
}

std::vector<float> EngineTest::render(int32_t frames)
{
    std::vector<float> out(2 * static_cast<size_t>(frames));
    vxa_mod_render(mod.get(), out.data(), frames);
    return out;
}

vxa_status EngineTest::status() const
{
    vxa_status s;
    vxa_mod_get_status(mod.get(), &s);
    return s;
}

std::vector<uint8_t> EngineTest::lastScope(int c, int count) const
{
    std::vector<uint8_t> values;
    for (int i = count; i > 0; --i)
        values.push_back(mod->scope[c][static_cast<uint8_t>(mod->scope_pos - i)]);
    return values;
}

} // namespace vxtest
