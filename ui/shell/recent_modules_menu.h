// File > "Open Recent": the last modules opened or saved, newest first, kept between runs
// in the program's settings. Every load or save of a module file (the controller's
// moduleURL) puts that file first; a file chosen here that is no longer there leaves
// the list, and a notice says so. The menu is greyed while the list is empty.
//
// Main thread only.
#pragma once

#include "published.h"

#include <QMenu>
#include <QStringList>

#include <filesystem>
#include <memory>

namespace vexa {
class PlayerEngine;
}

class RecentModulesMenu : public QMenu {
public:
    RecentModulesMenu(std::shared_ptr<vexa::PlayerEngine> player, QWidget *parent);
    ~RecentModulesMenu() override;

private:
    void remember(const std::filesystem::path &file);
    void open(const QString &file);
    // Keeps the list in the settings and shows it.
    void listChanged();

    std::shared_ptr<vexa::PlayerEngine> player_;
    QStringList files_; // newest first
    vexa::ObserverId observer_ = 0;
};
