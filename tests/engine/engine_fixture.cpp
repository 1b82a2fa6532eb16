#include "engine_fixture.h"

namespace vxtest {

Bytes positionRamp(size_t bytes)
{
    Bytes ramp(bytes);
    for (size_t i = 0; i < bytes; ++i)
        ramp[i] = static_cast<uint8_t>(i & 0x7F);
    return ramp;
}

int32_t EngineTest::loadBytes(const Bytes &bytes)
{
    return vxa_mod_load(mod.get(), dir.write("in.mod", bytes).c_str());
}

Bytes EngineTest::save()
{
    const auto path = dir.file("out.mod");
    EXPECT_EQ(vxa_mod_save(mod.get(), path.c_str()), 0);
    return readFile(path);
}

int32_t EngineTest::loadSample(int32_t slot, const std::string &name, const Bytes &bytes)
{
    return vxa_mod_load_sample(mod.get(), slot, dir.write(name, bytes).c_str());
}

Bytes EngineTest::soundOf(uint32_t slot)
{
    const auto path = dir.file("sound.raw");
    std::filesystem::remove(path);
    if (vxa_mod_save_sample(mod.get(), slot, path.c_str()) != 0)
        return {};
    Bytes bytes = readFile(path);
    for (uint8_t &b : bytes)
        b ^= 0x80;
    return bytes;
}

vxa_sample_info EngineTest::info(int32_t slot) const
{
    vxa_sample_info out{};
    EXPECT_EQ(vxa_mod_get_sample_info(mod.get(), slot, &out), 0);
    return out;
}

std::vector<float> EngineTest::render(int32_t frames)
{
    std::vector<float> out(2 * static_cast<size_t>(frames));
    vxa_mod_render(mod.get(), out.data(), frames);
    return out;
}

vxa_status EngineTest::status() const
{
    vxa_status s{};
    vxa_mod_get_status(mod.get(), &s);
    return s;
}

std::array<uint8_t, 24> EngineTest::bars() const
{
    std::array<uint8_t, 24> out{};
    vxa_mod_get_spectrum(mod.get(), out.data());
    return out;
}

std::vector<uint8_t> EngineTest::lastScope(int c, int count) const
{
    std::vector<uint8_t> values;
    for (int i = count; i > 0; --i)
        values.push_back(mod->scope[c][static_cast<uint8_t>(mod->scope_pos - i)]);
    return values;
}

} // namespace vxtest
