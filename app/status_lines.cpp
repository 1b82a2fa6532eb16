#include "status_lines.h"

#include <cstdio>

namespace vexa {

namespace {

template <class... Args> std::string format(const char *pattern, Args... args)
{
    char text[64];
    std::snprintf(text, sizeof text, pattern, args...);
    return text;
}

bool patternMode(const vxa_status &status)
{
    return status.play_mode == VXA_PLAY_PATTERN;
}

} // namespace

std::string statusLineText(const vxa_status &status)
{
    if (!status.playing)
        return "Stopped";
    if (status.recording)
        return "Recording";
    return patternMode(status) ? "Play PTN" : "Play SNG";
}

std::string statusPhraseText(const vxa_status &status, bool editMode)
{
    if (!status.playing)
        return editMode ? "EDITING" : kAllRightPhrase;
    if (status.recording)
        return patternMode(status) ? "REC PTN" : "REC SNG";
    return patternMode(status) ? "PLAY PTN" : "PLAYING";
}

std::string orderLineText(const vxa_status &status)
{
    return format("%04d / %04d", status.order_pos, status.song_length);
}

std::string patternRowLineText(const vxa_status &status)
{
    return format("P%02u  row %02X", status.pattern, static_cast<unsigned>(status.row) & 63u);
}

std::string tempoLineText(const vxa_status &status)
{
    return format("spd %d  %d BPM", status.speed, status.tempo);
}

std::string timerLineText(const vxa_status &status)
{
    return format("%02u:%02u", status.minutes, status.seconds);
}

} // namespace vexa
