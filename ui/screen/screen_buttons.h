// The screen's push buttons as one table: the transport grid (play, record, stop, edit,
// panels, filter, clear), the four channel mutes, and HELP, <-CLR and LOAD in the middle
// band. Each row gives the title, the rectangle, the bevel edges, when the button is
// drawn pressed (from the published state) and what a click does.
#pragma once

#include "screen/screen_snapshot.h"
#include "toolkit/hit_map.h"

#include <QPainter>
#include <QRectF>

// What a button's click reaches: the controller, and the two things the screen does
// itself.
class VexaButtonTarget {
public:
    virtual vexa::PlayerEngine &player() = 0;
    virtual void runLoadModuleDialog() = 0; // then loads the chosen module
    virtual void pressHelp() = 0;           // opens help, or shows its next page
protected:
    ~VexaButtonTarget() = default;
};

struct VexaScreenButton {
    const char *title;
    QRectF rect;
    int edges;
    bool (*pressedWhen)(const VexaPaintedValues &values);
    void (*action)(VexaButtonTarget &target); // null: a click does nothing

    static void paintAll(QPainter &painter, const VexaPaintedValues &values);
    static void addHits(HitMap &hits, VexaButtonTarget &target);
};
