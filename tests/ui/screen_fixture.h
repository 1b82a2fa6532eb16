// The whole screen driven headless: a real controller and engine on fake platform
// services, the demo module loaded as at start-up, and a fake window that records what
// the screen asks of it and answers when a test says so.
#pragma once

#include "controller_fixture.h"
#include "screen/vexatron_screen.h"

#include <QPointF>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace uitest {

class FakeScreenHost : public VexaScreenHost {
public:
    struct Dialog {
        VexaFileDialog kind;
        std::string defaultName;
        FileChosen chosen;
    };
    struct Alert {
        std::string title;
        std::string message;
        std::function<void(bool yes)> answer; // a notice's OK is answer(true)
    };

    void runFileDialog(VexaFileDialog kind, const std::string &defaultName,
                       FileChosen chosen) override;
    void showNotice(const std::string &title, const std::string &message,
                    std::function<void()> dismissed) override;
    void askConfirmation(const std::string &title, const std::string &message,
                         std::function<void(bool yes)> answered) override;
    void canvasChanged() override { ++repaintsAsked; }

    std::vector<Dialog> dialogs;
    std::vector<Alert> notices;
    std::vector<Alert> confirmations;
    int repaintsAsked = 0;
};

class ScreenTest : public vxtest::ControllerTest {
public:
    ScreenTest() { start(); }

    // A new controller with the demo module loaded as at start-up, and a new screen on it,
    // shown, with a fresh host.
    void start();
    using vxtest::ControllerTest::drain;
    using vxtest::ControllerTest::engine;
    using vxtest::ControllerTest::loadModule;

    // A click (press and release) on the pixel at (x, y), at its centre as the window
    // maps it.
    void click(int x, int y);
    void clickAt(QPointF point);
    // A key with its logical code, or with characters (code keys::other).
    bool key(uint16_t code, bool shift = false);
    bool type(const std::string &characters, bool shift = false);
    // One display frame: the device renders `frames`, the timer ticks, the main queue runs.
    void frame(uint32_t frames = 1470);

    FakeScreenHost host;
    std::unique_ptr<VexatronScreen> screen;
};

} // namespace uitest
