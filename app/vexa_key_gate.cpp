#include "vexa_key_gate.h"

#include "key_codes.h"
#include "player_engine.h"

namespace vexa {

bool VexaKeyGate::consume(const KeyPress &key) const
{
    if (helpOpen)
        return key.keyCode != keys::escape;
    const auto engine = player.lock();
    if (!engine)
        return false;
    return engine->handleEditNavigationKey(key.keyCode, key.characters, key.shift, key.command);
}

} // namespace vexa
