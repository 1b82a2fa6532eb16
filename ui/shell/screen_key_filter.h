// Gives the screen every key press aimed at its window before the window's menus and
// widgets see it, as an application-wide event filter. A key the screen consumes goes
// no further, not even to a menu shortcut; a key it passes on reaches the menus and
// widgets as usual. Keys aimed at other windows (dialogs, alerts) are left alone.
//
// Qt offers a key press twice: first as a shortcut override (before the menus' shortcuts
// are matched), then as the key press itself, and the filter sees each again as it
// travels up to parent widgets. The screen is asked once per press: at the first sight,
// and the answer stands for every later sight of the same press.
//
// Main thread only.
#pragma once

#include <QObject>

#include <optional>

class QKeyEvent;
class QWidget;
class VexatronScreen;

class ScreenKeyFilter : public QObject {
public:
    // Installs itself on the application; `window` is the screen's top-level window.
    ScreenKeyFilter(VexatronScreen &screen, QWidget &window);
    ~ScreenKeyFilter() override;

protected:
    bool eventFilter(QObject *receiver, QEvent *event) override;

private:
    // What tells one press from the next: a repeat or a new press differs in one of these.
    struct PressStamp {
        quint64 timestamp;
        int key;
        quint32 scanCode;
        Qt::KeyboardModifiers modifiers;
        bool autoRepeat;
        bool operator==(const PressStamp &) const = default;
    };
    static PressStamp stampOf(const QKeyEvent &event);

    bool isForWindow(QObject *receiver) const;
    bool consumed(const QKeyEvent &event);

    VexatronScreen &screen_;
    QWidget &window_;
    std::optional<PressStamp> lastPress_;
    bool lastConsumed_ = false;
};
