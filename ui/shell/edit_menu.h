// The Edit menu: "Undo <edit>" (Ctrl+Z) and "Redo <edit>" (Ctrl+Shift+Z and Ctrl+Y),
// named and greyed from the controller's published history. The screen passes Ctrl keys
// on, so these shortcuts reach the menu whatever the screen shows.
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
