#include "controller_fixture.h"

namespace vxtest {

ControllerTest::ControllerTest()
{
    rebuild();
}

void ControllerTest::rebuild()
{
    engine.reset();
    engine = vexa::PlayerEngine::create(
        {audio, mainQueue, timers, std::make_shared<FakeResources>(resourceFolder.path()),
         std::make_shared<FakeFolders>(documentsFolder.path(), work.path() / "tmp")});
}

void ControllerTest::loadModule(const ModBuilder &builder, const std::string &name)
{
    engine->load(work.write(name, builder.build()));
    drain();
}

} // namespace vxtest
