// Logical key codes of the keys the editor handles. The shell maps the platform's own
// keys onto these before calling the controller.
#pragma once

#include <cstdint>

namespace vexa::keys {

inline constexpr uint16_t tab = 48;
inline constexpr uint16_t space = 49;
inline constexpr uint16_t deleteBackward = 51;
inline constexpr uint16_t escape = 53;
inline constexpr uint16_t deleteForward = 117;
inline constexpr uint16_t f2 = 120;
inline constexpr uint16_t f1 = 122;
inline constexpr uint16_t left = 123;
inline constexpr uint16_t right = 124;
inline constexpr uint16_t down = 125;
inline constexpr uint16_t up = 126;
// Any key the editor has no code for (letters, digits, F5 and so on).
inline constexpr uint16_t other = 0xFFFF;

} // namespace vexa::keys
