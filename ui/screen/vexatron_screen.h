// The whole tracker screen: one fixed 640 x 480 canvas on which every panel, text, meter
// and button has its place (screen_layout.h). It is the only code that reads the
// controller: it paints the published state with the toolkit and the views, turns
// clicks and keys into the controller's commands, and asks its host (the window) for
// file dialogs, alerts and repaints. It uses no Qt Widgets, so it runs headless.
//
// Painting: the canvas is composited, back to front, from the paint layer (panels,
// texts, values, buttons, arrow pairs and the pattern well), the middle well, and the
// help overlay while help is open. The paint layer is kept between repaints and painted
// again only when a value it shows changed (a button's pressed look included). Any
// change of the controller's published state tells the host once (canvasChanged); the
// next canvas() repaints.
//
// Everything here runs on the main thread.
#pragma once

#include "screen_host.h"
#include "toolkit/glyph_table.h"
#include "vexa_key_gate.h"

#include <QImage>
#include <QPoint>
#include <QPointF>

#include <functional>
#include <memory>

namespace vexa {
class PlayerEngine;
}

class VexatronScreen {
public:
    // `player` is the one controller; `host` must outlive the screen. `glyphs` is the
    // font (installed for every view as the table text is drawn with) and `splash` the
    // middle well's picture (null leaves the splash plain); the shell reads both through
    // its resource lookup. `onOpenModule` is the shell's own open-module action: the
    // screen keeps it for the shell, none of its own controls calls it (the LOAD button
    // runs the load-module dialog itself).
    VexatronScreen(std::shared_ptr<vexa::PlayerEngine> player, VexaScreenHost &host,
                   const GlyphTable &glyphs, QImage splash, std::function<void()> onOpenModule);
    ~VexatronScreen();
    VexatronScreen(const VexatronScreen &) = delete;
    VexatronScreen &operator=(const VexatronScreen &) = delete;

    // The screen as it is now: 640 x 480 points, one pixel each, in VexaCanvas::format.
    // Repaints only what changed since the last call, and nothing when nothing did. The
    // image stays valid, unchanged, until the next call or the screen's end.
    const QImage &canvas();

    // Pointer input in canvas points (x 0..640 to the right, y 0..480 down). The window
    // reports whole pixels and maps each to its centre with pixelCentre, so that the
    // fractional edges between the grid buttons split the pixels where they are painted.
    // A press goes to the top-most click area under the point; that area alone gets the
    // drags and the release that follow. A button acts when the press is released inside
    // it. pointerPressed returns whether an area took the press.
    static QPointF pixelCentre(QPoint pixel); // (x + 0.5, y + 0.5)
    bool pointerPressed(QPointF point);
    void pointerDragged(QPointF point);
    void pointerReleased(QPointF point);

    // One key-down, as the logical key code and characters of app/key_codes.h. Returns
    // true when the key was consumed; the window then gives it to nobody else, and passes
    // an unconsumed key on to its menus. Only while the screen is shown: while help is
    // open every key but Escape is swallowed, and Escape closes help; otherwise the key
    // goes to the controller's editing keys. Before shown(), after hidden(), and once the
    // controller is gone, every key is passed on untouched.
    bool keyDown(const vexa::KeyPress &key);

    // The window shows the screen (it takes the keyboard focus and starts taking keys),
    // and takes it off display (it stops taking keys). Either may be called again.
    void shown();
    void hidden();

    // The shell's open-module action, as given.
    const std::function<void()> &onOpenModule() const;

    // The help overlay: whether it is open, and its page (0 keys, 1 credits).
    bool helpOpen() const;
    int helpPage() const;

private:
    struct State;
    std::unique_ptr<State> state_;
};
