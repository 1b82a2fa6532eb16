// The Edit menu: "Undo <edit>" (Ctrl+Z) and "Redo <edit>" (Ctrl+Shift+Z and Ctrl+Y),
// named and greyed from the controller's published history, then "Next Sample" (+) and
// "Previous Sample" (-). The screen passes these keys on (Ctrl keys always, + and - since
// they are neither piano nor hex keys), so they reach the menu whatever the screen shows.
//
// Main thread only.
#pragma once

#include "published.h"

#include <QMenu>

#include <memory>
#include <vector>

namespace vexa {
class PlayerEngine;
}

class EditMenu : public QMenu {
public:
    EditMenu(std::shared_ptr<vexa::PlayerEngine> player, QWidget *parent);
    ~EditMenu() override;

private:
    void showHistory();

    std::shared_ptr<vexa::PlayerEngine> player_;
    QAction *undo_;
    QAction *redo_;
    std::vector<vexa::ObserverId> observers_;
};
