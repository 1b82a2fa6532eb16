// Qt key events as the editor's logical keys.
#include "key_codes.h"
#include "key_mapping.h"

#include <QKeyEvent>

#include <gtest/gtest.h>

namespace {

using vexa::KeyPress;
namespace keys = vexa::keys;

// X11 key codes of some keys by position.
constexpr quint32 kKey1 = 10, kKey4 = 13, kKey5 = 14, kKeypad1 = 87, kKeyQ = 24, kKeyO = 32;

struct Case {
    const char *name;
    int key;
    Qt::KeyboardModifiers modifiers;
    quint32 scanCode;
    QString text;
    KeyPress expected;
};

const Case kCases[] = {
    {"space", Qt::Key_Space, {}, 65, " ", {keys::space, " ", false, false}},
    {"shift tab", Qt::Key_Backtab, Qt::ShiftModifier, 23, {}, {keys::tab, {}, true, false}},
    {"backspace", Qt::Key_Backspace, {}, 22, "\b", {keys::deleteBackward, {}, false, false}},
    {"delete", Qt::Key_Delete, {}, 119, "\x7f", {keys::deleteForward, {}, false, false}},
    {"escape", Qt::Key_Escape, {}, 9, "\x1b", {keys::escape, {}, false, false}},
    {"F1", Qt::Key_F1, {}, 67, {}, {keys::f1, {}, false, false}},
    {"F2", Qt::Key_F2, {}, 68, {}, {keys::f2, {}, false, false}},
    {"left", Qt::Key_Left, {}, 113, {}, {keys::left, {}, false, false}},
    {"right", Qt::Key_Right, {}, 114, {}, {keys::right, {}, false, false}},
    {"down", Qt::Key_Down, {}, 116, {}, {keys::down, {}, false, false}},
    {"up", Qt::Key_Up, {}, 111, {}, {keys::up, {}, false, false}},
    {"F5 has no code", Qt::Key_F5, {}, 71, {}, {keys::other, {}, false, false}},
    {"piano key", Qt::Key_Q, {}, kKeyQ, "q", {keys::other, "q", false, false}},
    {"shift applies", Qt::Key_Q, Qt::ShiftModifier, kKeyQ, "Q", {keys::other, "Q", true, false}},
    {"control does not",
     Qt::Key_O,
     Qt::ControlModifier,
     kKeyO,
     "\x0f",
     {keys::other, "o", false, true}},
    {"shift+1 types !",
     Qt::Key_Exclam,
     Qt::ShiftModifier,
     kKey1,
     "!",
     {keys::other, "1", true, false}},
    {"shift+4 types $",
     Qt::Key_Dollar,
     Qt::ShiftModifier,
     kKey4,
     "$",
     {keys::other, "4", true, false}},
    {"1 unshifted types &", Qt::Key_Ampersand, {}, kKey1, "&", {keys::other, "1", false, false}},
    {"shift+5 stays %",
     Qt::Key_Percent,
     Qt::ShiftModifier,
     kKey5,
     "%",
     {keys::other, "%", true, false}},
    {"keypad 1 by its text",
     Qt::Key_1,
     Qt::KeypadModifier,
     kKeypad1,
     "1",
     {keys::other, "1", false, false}},
};

} // namespace

TEST(KeyMapping, givesLogicalCodes_shiftedCharacters_andNumberRowDigitsByPosition)
{
    for (const Case &c : kCases) {
        SCOPED_TRACE(c.name);
        const QKeyEvent event(QEvent::KeyPress, c.key, c.modifiers, c.scanCode, 0, 0, c.text);
        const KeyPress press = VexaKeys::keyPress(event);
        EXPECT_EQ(press.keyCode, c.expected.keyCode);
        EXPECT_EQ(press.characters, c.expected.characters);
        EXPECT_EQ(press.shift, c.expected.shift);
        EXPECT_EQ(press.command, c.expected.command);
    }
}
