// The edit the running command makes: noted under the engine lock just before the engine
// changes, checked under it once the command's work is done, and handed to the history
// after the lock is released (so a step the history drops frees its memory outside it).
#pragma once

#include "undo_history.h"

#include <optional>
#include <utility>

namespace vexa {

class PendingEdit {
public:
    // Notes what the edit is about to change. No snapshot (no memory for the copy) means
    // this edit cannot be taken back; the history then forgets every earlier one too,
    // since taking those back would step over it.
    void note(EditKind kind, std::optional<UndoSnapshot> before)
    {
        if (before)
            step_.emplace(UndoStep{kind, std::move(*before)});
        else
            lost_ = true;
    }

    // Under the lock, after the work: true when a noted part of the module now differs.
    bool changed(const vxa_mod *mod) const { return step_ && !step_->before.matches(mod); }

    // After the lock: a step that changed the module joins the history; a command that
    // changed nothing there ends any run of merging entries. `done` is false when the
    // command's work ended early, leaving the module as it was.
    void settle(UndoHistory &history, bool done, bool changed)
    {
        std::optional<UndoStep> step = std::exchange(step_, std::nullopt);
        const bool lost = std::exchange(lost_, false);
        if (done && lost) {
            history.clear();
        } else if (done && changed) {
            history.record(std::move(*step));
        } else {
            history.interrupt();
            history.trim();
        }
    }

private:
    std::optional<UndoStep> step_;
    bool lost_ = false;
};

} // namespace vexa
