#include "screen_key_filter.h"

#include "key_mapping.h"
#include "screen/vexatron_screen.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <QWindow>

ScreenKeyFilter::ScreenKeyFilter(VexatronScreen &screen, QWidget &window)
    : screen_(screen), window_(window)
{
    QApplication::instance()->installEventFilter(this);
}

ScreenKeyFilter::~ScreenKeyFilter()
{
    QApplication::instance()->removeEventFilter(this);
}

ScreenKeyFilter::PressStamp ScreenKeyFilter::stampOf(const QKeyEvent &event)
{
    return {event.timestamp(), event.key(), event.nativeScanCode(), event.modifiers(),
            event.isAutoRepeat()};
}

bool ScreenKeyFilter::isForWindow(QObject *receiver) const
{
    if (auto *widget = qobject_cast<QWidget *>(receiver))
        return widget->window() == &window_;
    return receiver == window_.windowHandle();
}

bool ScreenKeyFilter::consumed(const QKeyEvent &event)
{
    const PressStamp stamp = stampOf(event);
    if (stamp != lastPress_) {
        lastPress_ = stamp;
        lastConsumed_ = screen_.keyDown(VexaKeys::keyPress(event));
    }
    return lastConsumed_;
}

bool ScreenKeyFilter::eventFilter(QObject *receiver, QEvent *event)
{
    const QEvent::Type type = event->type();
    if ((type != QEvent::ShortcutOverride && type != QEvent::KeyPress) || !isForWindow(receiver))
        return false;
    if (!consumed(static_cast<const QKeyEvent &>(*event)))
        return false;
    // Accepting the override keeps a menu shortcut from firing; the key press that
    // follows is then swallowed here.
    event->accept();
    return true;
}
