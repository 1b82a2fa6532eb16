// The key filter in front of the editor. It holds only a weak reference to the
// controller, so the shell's key hook never keeps the controller alive.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace vexa {

class PlayerEngine;

struct KeyPress {
    uint16_t keyCode = 0;                  // a code of key_codes.h
    std::optional<std::string> characters; // with Shift applied, other modifiers not
    bool shift = false;
    bool command = false;
};

class VexaKeyGate {
public:
    bool helpOpen = false;
    std::weak_ptr<PlayerEngine> player;

    // True when the key was consumed; false passes it on to menus and the screen.
    // While help is shown only Escape passes, and nothing else acts.
    bool consume(const KeyPress &key) const;
};

} // namespace vexa
