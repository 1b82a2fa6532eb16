// How a controller command ends once its engine work is done. Every command runs the
// same steps (see PlayerEngine::command); these say which of the closing steps it takes.
#pragma once

#include "vxa_mod.h"

#include <functional>

namespace vexa {

class PlayerEngine;

// A command's engine work, run under the engine lock on the loaded module. It returns
// false to end the command there: nothing is refreshed or published.
using EngineWork = std::function<bool(vxa_mod *mod)>;

struct CommandOptions {
    // Without a module the command ends at once. Otherwise it still refreshes and
    // publishes (the idle state) and starts the timer as below.
    bool needsModule = false;
    // Publish at once on the calling (main) thread instead of posting to the main queue.
    bool publishNow = false;
    bool startTimer = true;
    // Runs once the lock is released, before publishing; false ends the command there.
    std::function<bool()> afterUnlock = nullptr;
    // Runs on the main thread just before the refreshed state is published.
    std::function<void(PlayerEngine &)> beforePublish = nullptr;
};

} // namespace vexa
