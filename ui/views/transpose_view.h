// The transpose panel of the middle well: a header ("TRACK", "TRANSPOSE", "PATTERN") over
// two columns of four buttons, which move the notes of the cursor's track (left column)
// or of the whole pattern (right column) up or down a semitone or an octave.
#pragma once

#include "toolkit/hit_map.h"

#include <QPainter>
#include <QString>

#include <functional>
#include <optional>

enum class VexaTransposeAction { noteUp, noteDown, octaveUp, octaveDown };

// The action with this raw value 0..3, or none.
std::optional<VexaTransposeAction> transposeActionFromRaw(int raw);
int transposeSemitones(VexaTransposeAction action); // +1, -1, +12, -12
QString transposeTitle(VexaTransposeAction action); // "NOTE UP", ..., "OCTAVE DOWN"

struct VexaTransposeView {
    qreal width = 0; // the panel, 415 x 107 in the middle well
    qreal height = 0;
    bool interactive = false; // false: the buttons look the same but do nothing
    std::function<void(bool trackOnly, int semitones)> onAction{};

    // Column width colW = floor((width - 12) / 2), the pattern column at col2x; the four
    // button rows from `top`, rowH high and 1 apart: rowH is a quarter of the height
    // below the header, held to 16..20, then lowered (not below 15) until the rows fit.
    // A 300 x 100 panel gives colW 144, col2x 152, top 23 and rowH 17.
    struct Layout {
        qreal colW;
        qreal col2x;
        qreal top;
        qreal rowH;
    };
    Layout layout() const;

    void paint(QPainter &painter, QPointF topLeft) const;
    // Eight click areas, the track column's then the pattern column's, row by row.
    void addHits(HitMap &hits, QPointF topLeft) const;
};
