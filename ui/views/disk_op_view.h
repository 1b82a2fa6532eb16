// The disk-operations grid of the middle well: two rows of three buttons, loading, saving
// and saving-as modules on the first and samples on the second, on black, so that the
// 2-point gaps between the buttons show black.
#pragma once

#include "toolkit/hit_map.h"

#include <QPainter>
#include <QStringList>

#include <array>
#include <functional>

enum class VexaDiskOpAction {
    loadModule,
    saveModule,
    saveModuleAs,
    loadSample,
    saveSample,
    saveSampleAs
};

struct VexaDiskOpView {
    qreal width = 0; // the panel, 415 x 107 in the middle well
    qreal height = 0;
    bool interactive = false; // false: the buttons look the same but do nothing
    std::function<void(VexaDiskOpAction)> onAction{};

    // Cells are floor((size - gaps) / count) points; the last column and row take what is
    // left (a 300 x 60 grid has columns 98, 98, 100 and rows 29, 29).
    struct Grid {
        std::array<qreal, 3> columns;
        std::array<qreal, 2> rows;
    };
    Grid grid() const;

    // Each cell is a raised button with its title wrapped to the cell's width less 4 and
    // drawn as a centred column of lines 2 points apart, white with shadow at 2 x 2.
    void paint(QPainter &painter, QPointF topLeft) const;
    // One click area per cell, with the cell's action when interactive, else none.
    void addHits(HitMap &hits, QPointF topLeft) const;
};

// The button title of an action ("LOAD MODULE", "SAVE", "SAVE AS", ...).
QString diskOpTitle(VexaDiskOpAction action);

// The text upper-cased and split at spaces into lines of at most maxWidth points, 14 points
// a character, greedily; a word wider than maxWidth still gets a line of its own. A text
// without words gives one empty line.
QStringList wrapLines(const QString &text, qreal maxWidth);
