// The Playback menu: "Play Song" (F5, P), "Play Pattern" and "Stop" (F8), and "Full
// Effect Set", checked while the controller plays (and exports) modules in the full
// replay mode, unchecked for the reduced mode. The choice is kept in
// the program's settings and given to the controller when the menu is made, so it holds
// from one run to the next.
//
// Main thread only.
#pragma once

#include "published.h"

#include <QMenu>

#include <memory>

namespace vexa {
class PlayerEngine;
}

class PlaybackMenu : public QMenu {
public:
    PlaybackMenu(std::shared_ptr<vexa::PlayerEngine> player, QWidget *parent);
    ~PlaybackMenu() override;

private:
    std::shared_ptr<vexa::PlayerEngine> player_;
    QAction *fullEffects_;
    vexa::ObserverId observer_ = 0;
};
