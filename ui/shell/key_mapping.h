// Qt key events as the editor's logical keys: the key code of app/key_codes.h, the
// characters with Shift applied and no other modifier, and the Shift and command states.
// The command modifier is the one Qt reports as Control: Ctrl on Linux and Windows, Cmd
// on macOS.
#pragma once

#include "vexa_key_gate.h"

class QKeyEvent;

namespace VexaKeys {

// The number-row keys "1" to "4" always give the characters "1" to "4", recognised by
// their position on the keyboard: with Shift held they select the edit channel on every
// layout, although Shift+1 types "!" on most.
vexa::KeyPress keyPress(const QKeyEvent &event);

} // namespace VexaKeys
