// Undo and redo: each is a command like the others, so the exchange of a step with the
// module happens under the engine lock in one piece and the audio thread never renders a
// half-restored module.
#include "player_engine.h"

#include <utility>

namespace vexa {

void PlayerEngine::undo()
{
    travelHistory(&UndoHistory::undo);
}

void PlayerEngine::redo()
{
    travelHistory(&UndoHistory::redo);
}

void PlayerEngine::travelHistory(UndoStep *(UndoHistory::*travel)(vxa_mod *))
{
    // The window shows a title of its own when the module has none, so a title step also
    // carries the title shown with it.
    std::optional<std::string> shownTitle;
    const bool moved = command(
        [&](vxa_mod *mod) {
            UndoStep *step = (history_.*travel)(mod);
            if (!step)
                return false;
            if (std::string *shown = step->before.shownTitle())
                shownTitle = std::exchange(*shown, title.get());
            return true;
        },
        {.needsModule = true});
    if (moved && shownTitle)
        title.set(*shownTitle);
}

void PlayerEngine::forgetEdits()
{
    history_.clear();
    publishHistory();
}

void PlayerEngine::publishHistory()
{
    const bool canUndoNow = history_.undoKind().has_value();
    const bool canRedoNow = history_.redoKind().has_value();
    const std::string undoText = undoItemText(history_.undoKind());
    const std::string redoText = redoItemText(history_.redoKind());
    if (canUndo.get() != canUndoNow)
        canUndo.set(canUndoNow);
    if (canRedo.get() != canRedoNow)
        canRedo.set(canRedoNow);
    if (undoLabel.get() != undoText)
        undoLabel.set(undoText);
    if (redoLabel.get() != redoText)
        redoLabel.set(redoText);
}

} // namespace vexa
