// The disk-op panel's six actions: the two versioned saves run at once, the other four
// through the window's file dialogs, the chosen file then going to the controller's load
// or save. A cancelled dialog does nothing.
#pragma once

#include "player_engine.h"
#include "screen/screen_host.h"
#include "views/disk_op_view.h"

#include <memory>

struct VexaFileActions {
    static void run(VexaDiskOpAction action, const std::shared_ptr<vexa::PlayerEngine> &player,
                    VexaScreenHost &host);
};
