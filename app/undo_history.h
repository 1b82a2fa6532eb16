// The edits that can be taken back and done again, oldest first, bounded in steps and in
// the bytes of sound and pattern data they keep (the oldest go first).
//
// Each step keeps the one part of the module its edit changed, as it was before the edit;
// taking it back exchanges that with the module, and doing it again exchanges it back.
// That is exact only while the module changes by recorded edits alone, so whatever
// changes the module otherwise (loading a module) clears the history.
//
// Threads: main thread only. undo() and redo() change the module and run under the
// engine lock; everything else touches no engine state and runs without it, so steps
// that are dropped free their memory outside the lock.
#pragma once

#include "edit_kind.h"
#include "undo_snapshot.h"

#include <cstddef>
#include <deque>
#include <optional>

namespace vexa {

struct UndoStep {
    EditKind kind;
    UndoSnapshot before;
};

struct UndoLimits {
    size_t steps;
    size_t storedBytes;
};

class UndoHistory {
public:
    explicit UndoHistory(UndoLimits limits) : limits_(limits) {}

    // Keeps `step` as the latest edit and drops the steps that could be redone. A step of
    // a kind that merges, on the place of the latest step and of its kind, with nothing
    // else done between them, joins that step instead: the latest already holds the state
    // before both.
    void record(UndoStep step);
    // Something other than an edit happened: the next edit starts a step of its own.
    void interrupt() { mergeOpen_ = false; }
    // Takes back the latest edit, or does again the one last taken back; under the engine
    // lock. The step, valid until the history next changes, or null when there is nothing
    // to do.
    UndoStep *undo(vxa_mod *mod);
    UndoStep *redo(vxa_mod *mod);
    // Drops the oldest steps while the history is over its limits (after an exchange
    // made a step larger).
    void trim();
    void clear();

    std::optional<EditKind> undoKind() const;
    std::optional<EditKind> redoKind() const;
    size_t stepCount() const { return steps_.size(); }
    size_t storedBytes() const { return storedBytes_; }

private:
    // Exchanges the step with the module and keeps the byte count.
    void exchange(UndoStep &step, vxa_mod *mod);
    bool overLimits() const;
    void dropOldest();
    void dropNewest();

    UndoLimits limits_;
    std::deque<UndoStep> steps_;
    size_t done_ = 0; // steps_[0 .. done_) can be undone, the rest redone
    size_t storedBytes_ = 0;
    bool mergeOpen_ = false;
};

} // namespace vexa
