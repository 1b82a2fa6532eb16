#include "views/help_pages.h"

#include <array>

namespace {

// The keys and effect commands. Every character counts, the leading space and the runs of
// spaces included: they indent the entries and line up the two effect columns.
constexpr std::array<const char *, 23> keysPage = {
    "KEYS",
    " SPACE  STOP IF PLAYING, ELSE EDIT",
    " ESC STOP  F5/P PLAY  F8 STOP",
    " RMB+PLAY/PTN/REC  FROM CURSOR ROW",
    " F1/F2 OCTAVE  +/- SMP  TAB CHANNEL",
    " 1-4 MUTE  S+1-4 EDIT  ARROWS STEP",
    " Z..M/Q..P PIANO  CTRL-O/S/V FILE",
    " DISK OP: LOAD/SAVE/SAVE AS MOD+SMP",
    " SMP-ED: PLAY VOL SAVE CUT/TRIM/CLR",
    " WAVE: MARK A/B (DRAG)=REPEAT A:/B:",
    "EFFECTS  CMD+XX  (CLASSIC MOD)",
    " 0XY ARPEGGIO         1XX PORTA UP",
    " 2XX PORTA DOWN       3XX TONE PORTA",
    " 4XY VIBRATO          5XY TONE+VOLSLIDE",
    " 6XY VIB+VOLSLIDE     7XY TREMOLO",
    " 9XX SAMPLE OFFSET    AXY VOLUME SLIDE",
    " BXX POSITION JUMP    CXX SET VOLUME",
    " DXX PATTERN BREAK    FXX SPEED/TEMPO",
    " E1X/E2X FINE PORTA   E5X SET FINETUNE",
    " E6X PATTERN LOOP     E9X RETRIG NOTE",
    " EAX/EBX FINE VOL     ECX NOTE CUT",
    " EDX NOTE DELAY       EEX PATTERN DELAY",
    " E0X FILTER ON/OFF",
};

// The credits: Vexatron's own story.
constexpr std::array<const char *, 12> creditsPage = {
    "CREDITS",
    "ORIGINAL VERSION:",
    " THE FIRST VEXATRON: A FOUR-CHANNEL MOD PLAYER AND EDITOR,",
    " WRITTEN FROM THE FIRST LINE FOR THIS PROJECT",
    "RETRO PORT:",
    " THE SAME FIXED 640 X 480 PIXEL SCREEN ON THE DESKTOP",
    "VEXATRON HISTORY",
    " FIRST A PLAYER, THEN PATTERN AND SAMPLE EDITING;",
    " SAVES NEVER OVERWRITE: EACH ONE IS A NEW VERSION",
    "THE ORIGINAL ENGINE",
    " A PLAIN C-STYLE REPLAYER AND MIXER: FOUR CHANNELS,",
    " 31 SAMPLES, THE CLASSIC EFFECTS, 44,100 HZ STEREO",
};

template <size_t count> QStringList toList(const std::array<const char *, count> &lines)
{
    QStringList list;
    for (const char *line : lines)
        list.append(QString::fromLatin1(line));
    return list;
}

} // namespace

QStringList helpPageLines(int page)
{
    return page == 0 ? toList(keysPage) : toList(creditsPage);
}

bool isHelpHeader(QStringView line)
{
    static constexpr std::array<const char *, 6> headers = {
        "KEYS",        "CREDITS",          "ORIGINAL VERSION:",
        "RETRO PORT:", "VEXATRON HISTORY", "THE ORIGINAL ENGINE"};
    for (const char *header : headers)
        if (line == QLatin1StringView(header))
            return true;
    return line.startsWith(QLatin1StringView("EFFECTS"));
}
