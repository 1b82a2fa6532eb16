#include "screen/screen_buttons.h"

#include "screen/screen_layout.h"
#include "toolkit/bevel.h"
#include "toolkit/chrome_button.h"

#include <array>

using namespace VexaScreenLayout;
using vexa::PlayerEngine;
using vexa::VexaConfirmAction;
using vexa::VexaMidWellOverlay;
using Values = VexaPaintedValues;
using Target = VexaButtonTarget;
using Bevel = VexaChrome::Bevel;

namespace {

constexpr bool playing(const Values &v, bool song, bool recording)
{
    return v.isPlaying && v.playModeSong == song && v.isRecording == recording;
}

constexpr bool never(const Values &)
{
    return false;
}

template <int channel> constexpr bool muted(const Values &v)
{
    return v.chanMute[channel];
}

template <int channel> void toggleMute(Target &t)
{
    t.player().toggleMute(channel);
}

constexpr int allEdges = Bevel::allEdges;
constexpr int openRight = Bevel::left | Bevel::top | Bevel::bottom;
constexpr int openLeft = Bevel::top | Bevel::right | Bevel::bottom;

// Every play and record button starts at row 0 of the current song position.
constexpr std::array<VexaScreenButton, 19> buttons = {{
    {"PLAY SNG", gridButton(0, 0), allEdges,
     [](const Values &v) { return playing(v, true, false); },
     [](Target &t) { t.player().playMode(VXA_PLAY_SONG, false); }},
    {"PLAY PTN", gridButton(0, 1), allEdges,
     [](const Values &v) { return playing(v, false, false); },
     [](Target &t) { t.player().playMode(VXA_PLAY_PATTERN, false); }},
    {"REC SNG", gridButton(0, 2), allEdges, [](const Values &v) { return playing(v, true, true); },
     [](Target &t) { t.player().playMode(VXA_PLAY_SONG, true); }},
    {"REC PTN", gridButton(0, 3), allEdges, [](const Values &v) { return playing(v, false, true); },
     [](Target &t) { t.player().playMode(VXA_PLAY_PATTERN, true); }},
    {"STOP", gridButton(1, 0), allEdges, never, [](Target &t) { t.player().stop(); }},
    {"EDIT", gridButton(1, 1), allEdges, [](const Values &v) { return v.editMode; },
     [](Target &t) { t.player().toggleEditMode(); }},
    {"TRANSPOSE", gridButton(1, 2), allEdges,
     [](const Values &v) { return v.midWellOverlay == VexaMidWellOverlay::transpose; },
     [](Target &t) { t.player().toggleTranspose(); }},
    {"FILTER", gridButton(1, 3), allEdges, [](const Values &v) { return v.filterOn; },
     [](Target &t) { t.player().setFilterOn(!t.player().filterOn()); }},
    {"DISK OP.", gridButton(2, 0), allEdges,
     [](const Values &v) { return v.midWellOverlay == VexaMidWellOverlay::diskOp; },
     [](Target &t) { t.player().toggleDiskOp(); }},
    {"SMP-ED", gridButton(2, 1), allEdges,
     [](const Values &v) { return v.midWellOverlay == VexaMidWellOverlay::smpEd; },
     [](Target &t) { t.player().toggleSmpEd(); }},
    {"NOP", gridButton(2, 2), allEdges, never, nullptr},
    {"CLEAR", gridButton(2, 3), allEdges, never,
     [](Target &t) { t.player().requestConfirm(VexaConfirmAction::clearPattern); }},
    {"1", channelButton(0), allEdges, muted<0>, toggleMute<0>},
    {"2", channelButton(1), allEdges, muted<1>, toggleMute<1>},
    {"3", channelButton(2), allEdges, muted<2>, toggleMute<2>},
    {"4", channelButton(3), allEdges, muted<3>, toggleMute<3>},
    {"HELP", helpButton, allEdges, [](const Values &v) { return v.helpOpen; },
     [](Target &t) { t.pressHelp(); }},
    {"<-CLR", clearSampleButton, openRight, never,
     [](Target &t) { t.player().requestConfirm(VexaConfirmAction::clearSample); }},
    {"LOAD", loadButton, openLeft, never, [](Target &t) { t.runLoadModuleDialog(); }},
}};

VexaChrome::ChromeButton chromeButton(const VexaScreenButton &button, bool pressed)
{
    return {.title = QString::fromLatin1(button.title),
            .width = button.rect.width(),
            .height = button.rect.height(),
            .pressed = pressed,
            .edges = button.edges};
}

} // namespace

void VexaScreenButton::paintAll(QPainter &painter, const VexaPaintedValues &values)
{
    for (const VexaScreenButton &button : buttons)
        chromeButton(button, button.pressedWhen(values)).paint(painter, button.rect.topLeft());
}

void VexaScreenButton::addHits(HitMap &hits, VexaButtonTarget &target)
{
    for (const VexaScreenButton &button : buttons) {
        VexaChrome::ChromeButton chrome = chromeButton(button, false);
        if (button.action)
            chrome.action = [&target, action = button.action] { action(target); };
        chrome.addHits(hits, button.rect.topLeft());
    }
}
