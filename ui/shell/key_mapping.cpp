#include "key_mapping.h"

#include "key_codes.h"
#include "shell_tables.h"

#include <QKeyEvent>

#include <algorithm>

namespace VexaKeys {

namespace {

uint16_t logicalKeyCode(int key)
{
    switch (key) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab: // Shift+Tab
        return vexa::keys::tab;
    case Qt::Key_Space:
        return vexa::keys::space;
    case Qt::Key_Backspace:
        return vexa::keys::deleteBackward;
    case Qt::Key_Delete:
        return vexa::keys::deleteForward;
    case Qt::Key_Escape:
        return vexa::keys::escape;
    case Qt::Key_F1:
        return vexa::keys::f1;
    case Qt::Key_F2:
        return vexa::keys::f2;
    case Qt::Key_Left:
        return vexa::keys::left;
    case Qt::Key_Right:
        return vexa::keys::right;
    case Qt::Key_Down:
        return vexa::keys::down;
    case Qt::Key_Up:
        return vexa::keys::up;
    default:
        return vexa::keys::other;
    }
}

// The platform's code for the key's position: macOS reports it as the virtual key, the
// others as the scan code.
uint32_t positionCode(const QKeyEvent &event)
{
#if defined(Q_OS_MACOS)
    return event.nativeVirtualKey();
#else
    return event.nativeScanCode();
#endif
}

std::optional<char> numberRowDigit(const QKeyEvent &event)
{
    const auto &codes = VexaShell::digitKeyCodes;
    const auto found = std::find(codes.begin(), codes.end(), positionCode(event));
    if (found == codes.end())
        return std::nullopt;
    return static_cast<char>('1' + (found - codes.begin()));
}

// Control turns letters into control characters in the event's text; the letter itself
// comes back from the key, upper-case with Shift as typed.
std::optional<std::string> typedCharacters(const QKeyEvent &event, bool shift)
{
    const QString text = event.text();
    if (!text.isEmpty() && text.front().isPrint())
        return text.toStdString();
    const int key = event.key();
    if (key >= Qt::Key_A && key <= Qt::Key_Z) {
        const char letter = static_cast<char>((shift ? 'A' : 'a') + (key - Qt::Key_A));
        return std::string(1, letter);
    }
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return std::string(1, static_cast<char>('0' + (key - Qt::Key_0)));
    return std::nullopt;
}

} // namespace

vexa::KeyPress keyPress(const QKeyEvent &event)
{
    vexa::KeyPress press;
    press.keyCode = logicalKeyCode(event.key());
    press.shift = event.modifiers().testFlag(Qt::ShiftModifier);
    press.command = event.modifiers().testFlag(Qt::ControlModifier);
    if (const auto digit = numberRowDigit(event))
        press.characters = std::string(1, *digit);
    else
        press.characters = typedCharacters(event, press.shift);
    return press;
}

} // namespace VexaKeys
