// The texts of the status lines, from the engine's status record.
#pragma once

#include "vxa_mod.h"
#include "vxa_mod_extras.h"

#include <string>

namespace vexa {

inline constexpr const char *kNoValueLine = "\u2014"; // an em dash
inline constexpr const char *kIdleStatusLine = "Idle";
inline constexpr const char *kZeroTimerLine = "00:00";
inline constexpr const char *kAllRightPhrase = "ALL RIGHT";

std::string statusLineText(const vxa_status &status);
std::string statusPhraseText(const vxa_status &status, bool editMode);
std::string orderLineText(const vxa_status &status);
std::string patternRowLineText(const vxa_status &status);
std::string tempoLineText(const vxa_status &status);
std::string timerLineText(const vxa_status &status);

} // namespace vexa
