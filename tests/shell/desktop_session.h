// Helpers for running the real program on a private X display: an Xvfb server, the
// program's window found and driven with xdotool as a user would (clicks at canvas
// points, key presses), screenshots of its canvas, and quitting with its Quit key.
//
// The display and xdotool are reached through the DISPLAY variable, which XvfbDisplay
// sets for the whole process while it lives; screenshots need a QGuiApplication on it.
#pragma once

#include "pulse_server.h"

#include <QImage>
#include <QPointF>
#include <QRect>

#include <chrono>
#include <filesystem>
#include <map>
#include <optional>
#include <string>

namespace vxtest {

// An Xvfb server on the first free display number, 24-bit, for the life of the object.
class XvfbDisplay {
public:
    XvfbDisplay(int width, int height, const std::filesystem::path &logFolder);
    // Why it could not start; then nothing else here works.
    const std::optional<std::string> &failure() const { return failure_; }

private:
    std::unique_ptr<ChildProcess> server_;
    std::unique_ptr<ScopedEnvironment> pointedHere_;
    std::optional<std::string> failure_;
};

// The output of a command line run through the shell, and whether it succeeded.
struct CommandResult {
    bool ok = false;
    std::string output;
};
CommandResult runCommand(const std::string &commandLine);

// Whether a window titled `title` is shown within `limit`.
bool windowShown(const std::string &title, std::chrono::milliseconds limit);
// Focuses the shown window titled `title` and presses `keys` in it (as xdotool names
// them: "Escape", "Return"), or types `text` into it.
bool pressIn(const std::string &title, const std::string &keys);
bool typeInto(const std::string &title, const std::string &text);

// Drags `file` with the pointer from a window of this process to `target` (root-window
// pixels) and lets go there, as a user drags a file from a file manager: the window
// there gets it through the X drag-and-drop protocol. True when the drag ended in a drop
// that window took. The pointer's moves are logged to `log`.
bool dragFileTo(const std::filesystem::path &file, QPoint target, const std::filesystem::path &log);

// The program started on the display with `environment` added to the test's own, its
// output in `log`. The canvas is the 640 x 480 screen at `scale` device pixels a point.
class ProgramWindow {
public:
    ProgramWindow(const std::string &program, const std::map<std::string, std::string> &environment,
                  const std::filesystem::path &log, int scale = 1);
    ~ProgramWindow();

    // Waits for the window to be shown; false when it does not appear within 20 s or
    // the program ends first.
    bool waitForWindow();
    pid_t pid() const { return process_.pid(); }

    // The window, in root-window pixels; and the canvas inside it.
    QRect windowRect() const { return window_; }
    QRect canvasRect() const;

    // Everything on the display, and the canvas cut from it.
    QImage screenshot() const;
    QImage canvas() const;

    // A left click on a canvas point, keys typed as xdotool names them ("space",
    // "shift+3", "ctrl+q"), each with the window focused first.
    void click(QPointF canvasPoint);
    void key(const std::string &keys);

    // Presses the Quit key and waits for the program to end: the milliseconds it took
    // and its exit code (none when it had to be killed).
    struct Ending {
        double milliseconds = 0;
        std::optional<int> exitCode;
    };
    Ending quit();

private:
    void focus();

    ChildProcess process_;
    int scale_;
    std::string windowId_;
    QRect window_;
};

} // namespace vxtest
