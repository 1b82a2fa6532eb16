#include "undo_history.h"

namespace vexa {

void UndoHistory::record(UndoStep step)
{
    while (steps_.size() > done_)
        dropNewest();
    const bool joins = mergeOpen_ && editsMerge(step.kind) && done_ > 0 &&
                       steps_.back().kind == step.kind &&
                       steps_.back().before.samePlace(step.before);
    mergeOpen_ = editsMerge(step.kind);
    if (joins)
        return;
    storedBytes_ += step.before.storedBytes();
    steps_.push_back(std::move(step));
    done_ = steps_.size();
    trim();
}

UndoStep *UndoHistory::undo(vxa_mod *mod)
{
    mergeOpen_ = false;
    if (done_ == 0)
        return nullptr;
    UndoStep &step = steps_[--done_];
    exchange(step, mod);
    return &step;
}

UndoStep *UndoHistory::redo(vxa_mod *mod)
{
    mergeOpen_ = false;
    if (done_ == steps_.size())
        return nullptr;
    UndoStep &step = steps_[done_++];
    exchange(step, mod);
    return &step;
}

void UndoHistory::exchange(UndoStep &step, vxa_mod *mod)
{
    storedBytes_ -= step.before.storedBytes();
    step.before.exchange(mod);
    storedBytes_ += step.before.storedBytes();
}

bool UndoHistory::overLimits() const
{
    return steps_.size() > limits_.steps || storedBytes_ > limits_.storedBytes;
}

// The oldest step that can be undone goes first; when every step is one to redo, the
// one furthest from the present goes. The last step left always stays.
void UndoHistory::trim()
{
    while (overLimits() && steps_.size() > 1) {
        if (done_ > 0)
            dropOldest();
        else
            dropNewest();
    }
}

void UndoHistory::dropOldest()
{
    storedBytes_ -= steps_.front().before.storedBytes();
    steps_.pop_front();
    --done_;
}

void UndoHistory::dropNewest()
{
    storedBytes_ -= steps_.back().before.storedBytes();
    steps_.pop_back();
}

void UndoHistory::clear()
{
    steps_.clear();
    done_ = 0;
    storedBytes_ = 0;
    mergeOpen_ = false;
}

std::optional<EditKind> UndoHistory::undoKind() const
{
    return done_ > 0 ? std::optional(steps_[done_ - 1].kind) : std::nullopt;
}

std::optional<EditKind> UndoHistory::redoKind() const
{
    return done_ < steps_.size() ? std::optional(steps_[done_].kind) : std::nullopt;
}

} // namespace vexa
