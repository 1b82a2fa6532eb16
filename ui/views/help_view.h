// The help overlay over the whole canvas: the screen dimmed, and on it a sunken panel with
// the title, the page's rows of small text and a footer. A click on the panel shows the
// next page (or closes after the last); a click beside it closes the overlay.
#pragma once

#include "toolkit/hit_map.h"

#include <QPainter>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

// One row of help text as shown: a line, or a piece of a long line.
struct VexaHelpRow {
    QString text;
    bool isHeader = false;

    bool operator==(const VexaHelpRow &) const = default;
};

// The lines cut into rows of at most maxChars characters: a long line breaks after the
// last space of its first maxChars characters (or at maxChars when there is none), and the
// next row starts after the spaces at the break. Every row of a line is a header when the
// line is one; an empty line gives one empty row.
std::vector<VexaHelpRow> wrapped(const QStringList &lines, int maxChars);

struct VexaHelpView {
    int page = 0;      // 0 shows the keys, any other value the credits
    int pageCount = 0; // shown in the footer
    std::function<void()> onAdvance{};
    std::function<void()> onClose{};

    // "ESC=CLOSE  PAGE 1/2  HELP/CLICK=NEXT" for the first of two pages.
    QString footerText() const;

    // Paints over the whole 640 x 480 canvas: black at 35 % opacity, then the 592 x 440
    // panel centred at (320, 240) with its title at (8, 8), the rows (10 points each,
    // 1 x 1, headers white) below it and the footer 4 points below the rows.
    void paint(QPainter &painter) const;
    // A canvas-wide area that closes, and over it the panel, which advances.
    void addHits(HitMap &hits) const;
};
