// What fills the middle well of the screen, the panel that may cover it, the
// confirmations asked before destructive edits, and the sample editor's buttons.
#pragma once

#include "uuid.h"

#include <array>
#include <optional>
#include <string>

namespace vexa {

enum class VexaMidWellMode { splash = 0, quadrascope = 1, spectrum = 2 };

inline constexpr std::array<VexaMidWellMode, 3> allMidWellModes = {
    VexaMidWellMode::splash, VexaMidWellMode::quadrascope, VexaMidWellMode::spectrum};

// The mode with this raw value, or none for values outside 0..2.
inline std::optional<VexaMidWellMode> midWellModeFromRaw(int raw)
{
    if (raw < 0 || raw >= static_cast<int>(allMidWellModes.size()))
        return std::nullopt;
    return allMidWellModes[static_cast<size_t>(raw)];
}

enum class VexaMidWellOverlay { none, diskOp, transpose, smpEd };

enum class VexaConfirmAction { clearSample, clearPattern };

struct VexaConfirm {
    Uuid id;
    std::string title;
    std::string message;
    VexaConfirmAction action;

    bool operator==(const VexaConfirm &other) const = default;
};

enum class VexaSmpEdAction { play, volDown, volUp, save, cutHead, cutTail, trim, clear };

} // namespace vexa
