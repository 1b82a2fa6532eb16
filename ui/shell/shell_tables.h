// The shell's fixed values: the keys it recognises by position, the error line's room,
// the icon's sizes, what the program keeps in its settings, and the export's progress.
#pragma once

#include <QtGlobal>

#include <array>
#include <chrono>
#include <cstdint>

namespace VexaShell {

// The number-row keys "1" to "4" by position, whatever the layout types on them (Shift+1
// types "!" on most layouts, and "1" itself needs Shift on some). The values are the
// platform's own codes for those four keys, in order: XKB key codes (evdev codes + 8) on
// X11 and Wayland, set-1 scan codes on Windows, virtual key codes on macOS.
#if defined(Q_OS_MACOS)
inline constexpr std::array<uint32_t, 4> digitKeyCodes = {0x12, 0x13, 0x14, 0x15};
#elif defined(Q_OS_WIN)
inline constexpr std::array<uint32_t, 4> digitKeyCodes = {0x02, 0x03, 0x04, 0x05};
#else
inline constexpr std::array<uint32_t, 4> digitKeyCodes = {10, 11, 12, 13};
#endif

// The error line's widest, in points: the window is never narrower than the 640-point
// screen, and the menu titles left of the line (File, Edit, Playback: about 140 points in
// the desktop's menu font) keep the rest, with room to spare for a larger font.
inline constexpr int errorLineMaxWidth = 460;

// The icon is drawn on a grid of iconGridPixels squared and scaled by whole numbers to the
// sizes of the desktop's icon theme (32 to 256 pixels), so each grid square stays a crisp
// square. ui/shell/CMakeLists.txt lists the same sizes for installing.
inline constexpr int iconGridPixels = 32;
inline constexpr std::array<int, 4> iconScales = {1, 2, 4, 8};

// Open Recent lists this many modules, under this settings key (a list of full paths,
// newest first).
inline constexpr int recentModulesKept = 8;
inline constexpr const char *recentModulesKey = "recentModules";
// Playback > Full Effect Set, a bool under this settings key.
inline constexpr const char *fullEffectSetKey = "fullEffectSet";

// A WAV export's progress: looked at this often, shown in this many steps.
inline constexpr std::chrono::milliseconds exportPollInterval{50};
inline constexpr int exportProgressSteps = 1000;

} // namespace VexaShell
