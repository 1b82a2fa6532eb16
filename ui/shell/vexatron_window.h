// The one window: the root view under a menu bar with the File menu ("Open Module…" on
// the platform's Open key, Ctrl+O here, "Open Recent", "Export WAV…" on Ctrl+E, and Quit
// on the platform's Quit key), the Edit and Playback menus and the error line. The window
// starts at its content's size and never shrinks below it. Keys reach the screen before
// the menus.
//
// A file dropped anywhere on the window is opened as the controller's open() says: a
// module replaces the module being edited, a sample goes into the current slot, and any
// other file brings a notice. Of several files dropped at once the first is opened.
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

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void addFileMenu();
    // Asks where to write the song as a WAV file, then exports it with its progress shown.
    void exportWav();

    std::shared_ptr<vexa::PlayerEngine> player_;
    RootView *rootView_;
    std::unique_ptr<ScreenKeyFilter> keyFilter_;
};
