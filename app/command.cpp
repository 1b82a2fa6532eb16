// The one shape of every command that touches the engine: take the lock, do the engine
// work, refresh the shadow fields while still holding it, release it, then publish on
// the main thread and make sure the display timer runs.
#include "player_engine.h"

namespace vexa {

bool PlayerEngine::command(const EngineWork &work, const CommandOptions &options)
{
    {
        std::lock_guard guard(lock_);
        if (!mod_ && options.needsModule)
            return false;
        if (mod_ && work && !work(mod_))
            return false;
        refreshStatusUnlocked();
    }
    if (options.afterUnlock && !options.afterUnlock())
        return false;
    if (options.publishNow) {
        if (options.beforePublish)
            options.beforePublish(*this);
        publishStatus();
    } else {
        onMain([beforePublish = options.beforePublish](PlayerEngine &self) {
            if (beforePublish)
                beforePublish(self);
            self.publishStatus();
        });
    }
    if (options.startTimer)
        startDisplayTimer();
    return true;
}

} // namespace vexa
