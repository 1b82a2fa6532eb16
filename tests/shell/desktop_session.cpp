#include "desktop_session.h"

#include "ui_tables.h"

#include <QDrag>
#include <QGuiApplication>
#include <QMimeData>
#include <QPixmap>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QUrl>
#include <QWindow>

#include <chrono>
#include <cstdio>
#include <sstream>
#include <thread>

namespace vxtest {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

namespace {

constexpr int kFirstDisplay = 91, kLastDisplay = 190;
constexpr auto kPoll = 20ms;
// Where a drag starts, in root-window pixels, away from the program's window; and how
// long it may take before it is called off.
const QRect kDragSource(1400, 1000, 100, 100);
constexpr auto kDragLimit = 10s;

// Polls `ready` until it holds or `limit` passes.
template <class Ready> bool pollUntil(Ready ready, Clock::duration limit)
{
    const auto deadline = Clock::now() + limit;
    while (!ready()) {
        if (Clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(kPoll);
    }
    return true;
}

bool displayTaken(int number)
{
    return fs::exists("/tmp/.X11-unix/X" + std::to_string(number)) ||
           fs::exists("/tmp/.X" + std::to_string(number) + "-lock");
}

// "WINDOW=...\nX=0\nY=0\nWIDTH=640\nHEIGHT=499\n..." as xdotool's shell form prints it.
std::map<std::string, int> shellValues(const std::string &text)
{
    std::map<std::string, int> values;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        const auto equals = line.find('=');
        if (equals != std::string::npos)
            values[line.substr(0, equals)] = std::atoi(line.c_str() + equals + 1);
    }
    return values;
}

} // namespace

CommandResult runCommand(const std::string &commandLine)
{
    CommandResult result;
    FILE *pipe = popen((commandLine + " 2>&1").c_str(), "r");
    if (!pipe)
        return result;
    char buffer[256];
    while (size_t n = std::fread(buffer, 1, sizeof buffer, pipe))
        result.output.append(buffer, n);
    result.ok = pclose(pipe) == 0;
    return result;
}

namespace {

std::string searchByTitle(const std::string &title)
{
    return "xdotool search --onlyvisible --name '^" + title + "$'";
}

// Runs an xdotool command on the shown window titled `title`, focused first.
bool inWindow(const std::string &title, const std::string &command)
{
    const CommandResult found = runCommand(searchByTitle(title));
    if (!found.ok)
        return false;
    const std::string id = found.output.substr(0, found.output.find('\n'));
    return runCommand("xdotool windowfocus --sync " + id + " " + command).ok;
}

} // namespace

bool windowShown(const std::string &title, std::chrono::milliseconds limit)
{
    return pollUntil([&] { return runCommand(searchByTitle(title)).ok; }, limit);
}

bool pressIn(const std::string &title, const std::string &keys)
{
    return inWindow(title, "key " + keys);
}

bool typeInto(const std::string &title, const std::string &text)
{
    return inWindow(title, "type --delay 20 '" + text + "'");
}

bool dragFileTo(const fs::path &file, QPoint target, const fs::path &log)
{
    QWindow source;
    source.setGeometry(kDragSource);
    source.show();
    if (!pollUntil(
            [&] {
                QGuiApplication::processEvents();
                return source.isExposed();
            },
            5s))
        return false;
    const QPoint grip = kDragSource.center();
    runCommand("xdotool mousemove --sync " + std::to_string(grip.x()) + " " +
               std::to_string(grip.y()) + " mousedown 1");
    // The pointer moves while the drag runs this thread's event loop: from a process of
    // its own, in two steps, so the target sees the drag arrive before the drop.
    const std::string to = std::to_string(target.x()) + " " + std::to_string(target.y());
    const std::string near = std::to_string(target.x() - 5) + " " + std::to_string(target.y());
    ChildProcess pointer({"sh", "-c",
                          "sleep 0.3; xdotool mousemove --sync " + near +
                              "; sleep 0.2; xdotool mousemove --sync " + to +
                              "; sleep 0.3; xdotool mouseup 1"},
                         log.string());
    auto *data = new QMimeData;
    data->setUrls({QUrl::fromLocalFile(QString::fromStdString(file.string()))});
    // The target takes the file's name from this process after the drop, and says when it
    // is done; then the drag deletes itself. Until then this process must answer.
    QPointer<QDrag> drag = new QDrag(&source);
    drag->setMimeData(data);
    QTimer::singleShot(kDragLimit, [] { QDrag::cancel(); });
    const bool dropped = drag->exec(Qt::CopyAction) == Qt::CopyAction;
    pollUntil(
        [&] {
            QGuiApplication::processEvents();
            QGuiApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            return drag.isNull();
        },
        kDragLimit);
    return dropped;
}

XvfbDisplay::XvfbDisplay(int width, int height, const fs::path &logFolder)
{
    const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
    for (int number = kFirstDisplay; number <= kLastDisplay; ++number) {
        if (displayTaken(number))
            continue;
        const std::string name = ":" + std::to_string(number);
        try {
            server_ = std::make_unique<ChildProcess>(
                std::vector<std::string>{"Xvfb", name, "-screen", "0", screen, "-nolisten", "tcp"},
                (logFolder / "xvfb.log").string());
        } catch (const std::runtime_error &error) {
            failure_ = error.what();
            return;
        }
        const std::string socket = "/tmp/.X11-unix/X" + std::to_string(number);
        // Another server may have taken the number meanwhile: this one then ends at once.
        if (pollUntil([&] { return fs::exists(socket) || !server_->running(); }, 10s) &&
            server_->running()) {
            pointedHere_ = std::make_unique<ScopedEnvironment>(
                std::map<std::string, std::string>{{"DISPLAY", name}});
            if (runCommand("xdotool getdisplaygeometry").ok)
                return;
            failure_ = "xdotool cannot reach the display " + name;
            return;
        }
    }
    failure_ = "Xvfb did not start on any display from :" + std::to_string(kFirstDisplay);
}

namespace {

std::vector<std::string> commandLine(const std::string &program,
                                     const std::map<std::string, std::string> &environment,
                                     int scale)
{
    std::vector<std::string> argv = {"env", "QT_QPA_PLATFORM=xcb"};
    if (scale != 1)
        argv.push_back("QT_SCALE_FACTOR=" + std::to_string(scale));
    for (const auto &[name, value] : environment)
        argv.push_back(name + "=" + value);
    argv.push_back(program);
    return argv;
}

} // namespace

ProgramWindow::ProgramWindow(const std::string &program,
                             const std::map<std::string, std::string> &environment,
                             const fs::path &log, int scale)
    : process_(commandLine(program, environment, scale), log.string()), scale_(scale)
{
}

ProgramWindow::~ProgramWindow() = default;

bool ProgramWindow::waitForWindow()
{
    const std::string search =
        "xdotool search --onlyvisible --pid " + std::to_string(pid()) + " --name '^Vexatron$'";
    CommandResult found;
    if (!pollUntil([&] { return !process_.running() || (found = runCommand(search)).ok; }, 20s) ||
        !process_.running())
        return false;
    windowId_ = found.output.substr(0, found.output.find('\n'));
    const auto geometry =
        shellValues(runCommand("xdotool getwindowgeometry --shell " + windowId_).output);
    window_ =
        QRect(geometry.at("X"), geometry.at("Y"), geometry.at("WIDTH"), geometry.at("HEIGHT"));
    // Shown is not yet painted: wait until two looks at the canvas agree.
    QImage last;
    return pollUntil(
        [&] {
            const QImage now = canvas();
            const bool same = now == last && !now.isNull();
            last = now;
            return same;
        },
        10s);
}

// The canvas is centred across the window and fills its content, which lies under the
// menu bar.
QRect ProgramWindow::canvasRect() const
{
    const int width = VexaCanvas::width * scale_;
    const int height = VexaCanvas::height * scale_;
    return {window_.x() + (window_.width() - width) / 2, window_.bottom() + 1 - height, width,
            height};
}

QImage ProgramWindow::screenshot() const
{
    return QGuiApplication::primaryScreen()->grabWindow(0).toImage().convertToFormat(
        QImage::Format_RGB32);
}

QImage ProgramWindow::canvas() const
{
    return screenshot().copy(canvasRect());
}

void ProgramWindow::focus()
{
    runCommand("xdotool windowfocus --sync " + windowId_);
}

void ProgramWindow::click(QPointF canvasPoint)
{
    const QRect canvas = canvasRect();
    const int x = canvas.x() + static_cast<int>(canvasPoint.x() * scale_);
    const int y = canvas.y() + static_cast<int>(canvasPoint.y() * scale_);
    runCommand("xdotool mousemove --sync " + std::to_string(x) + " " + std::to_string(y) +
               " click 1");
}

void ProgramWindow::key(const std::string &keys)
{
    focus();
    runCommand("xdotool key --delay 40 " + keys);
}

ProgramWindow::Ending ProgramWindow::quit()
{
    focus();
    const auto start = Clock::now();
    runCommand("xdotool key ctrl+q");
    pollUntil([this] { return !process_.running(); }, 10s);
    Ending ending;
    ending.milliseconds = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    process_.terminate();
    ending.exitCode = process_.exitCode();
    return ending;
}

} // namespace vxtest
