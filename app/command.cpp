// The one shape of every command that touches the engine: take the lock, do the engine
// work, refresh the shadow fields while still holding it, release it, then publish on
// the main thread and make sure the display timer runs. An edit the work noted joins the
// undo history once the lock is released.
#include "player_engine.h"

namespace vexa {

bool PlayerEngine::command(const EngineWork &work, const CommandOptions &options)
{
    bool done = true;
    bool editChanged = false;
    {
        std::lock_guard guard(lock_);
        if (!mod_ && options.needsModule)
            return false;
        done = !mod_ || !work || work(mod_);
        editChanged = done && pendingEdit_.changed(mod_);
        if (done)
            refreshStatusUnlocked();
    }
    pendingEdit_.settle(history_, done, editChanged);
    publishHistory();
    if (!done)
        return false;
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
