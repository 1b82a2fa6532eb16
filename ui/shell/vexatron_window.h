// The one window: the root view under a menu bar with the File menu ("Open Module…" on
// the platform's Open key, Ctrl+O here, and Quit on the platform's Quit key) and the
// error line. The window starts at its content's size and never shrinks below it. Keys
// reach the screen before the menu.
//
// Main thread only.
#pragma once

#include <QMainWindow>

#include "toolkit/glyph_table.h"

#include <memory>

namespace vexa {
class PlayerEngine;
}
class RootView;
class ScreenKeyFilter;

class VexatronWindow : public QMainWindow {
public:
    VexatronWindow(RootView *rootView, std::shared_ptr<vexa::PlayerEngine> player,
                   const GlyphTable &font);
    ~VexatronWindow() override;

private:
    void addFileMenu();

    RootView *rootView_;
    std::unique_ptr<ScreenKeyFilter> keyFilter_;
};
