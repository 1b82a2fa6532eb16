// A controller built on fake platform services, with temporary resource, documents and
// work folders, for the controller tests.
#pragma once

#include "fake_platform.h"
#include "mod_builder.h"
#include "player_engine.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

namespace vxtest {

class ControllerTest : public ::testing::Test {
protected:
    ControllerTest();

    // Loads a module file written from `builder` into the controller and publishes.
    void loadModule(const ModBuilder &builder, const std::string &name = "song.mod");
    // Runs everything posted to the main queue.
    int drain() { return mainQueue->drain(); }
    // Recreates the controller with the current fakes (for tests that change them).
    void rebuild();

    TempDir work;
    TempDir resourceFolder;
    TempDir documentsFolder;
    std::shared_ptr<FakeAudioDevice> audio = std::make_shared<FakeAudioDevice>();
    std::shared_ptr<FakeMainQueue> mainQueue = std::make_shared<FakeMainQueue>();
    std::shared_ptr<FakeTimerService> timers = std::make_shared<FakeTimerService>();
    std::shared_ptr<vexa::PlayerEngine> engine;
};

} // namespace vxtest
