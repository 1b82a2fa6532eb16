// The middle well, the 415 x 107 panel right of the parameters: the splash picture, the
// quadrascope or the spectrum analyser (by mode), or instead one of the overlay panels
// (disk op, transpose, sample editor), inside a 1-point border. The screen paints it
// display-only, and adds the overlay's click areas from an interactive copy: a panel
// takes clicks exactly when its callback is present.
#pragma once

#include "screen_modes.h"
#include "toolkit/hit_map.h"
#include "views/disk_op_view.h"
#include "views/smp_ed_view.h"

#include <QImage>
#include <QPainter>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

struct VexaMidWellView {
    vexa::VexaMidWellMode mode = vexa::VexaMidWellMode::splash;
    vexa::VexaMidWellOverlay overlay = vexa::VexaMidWellOverlay::none;
    std::vector<std::vector<uint8_t>> scopes{}; // one trace per channel, 0x80 the zero line
    std::vector<uint8_t> spectrum{};            // bar values 0..63, 24 used
    qreal width = 0;                            // 415 x 107 on the screen
    qreal height = 0;
    QImage splash{}; // the splash picture; null shows the face only
    std::function<void(VexaDiskOpAction)> onDiskOp{};
    std::function<void(bool trackOnly, int semitones)> onTranspose{};
    std::optional<VexaSmpEdModel> smpEdModel{}; // absent: the sample editor shows nothing
    std::function<void(vexa::VexaSmpEdAction)> onSmpEd{};
    std::function<void(int which, uint32_t offset)> onSmpEdWaveMark{};
    std::function<void(int which)> onSmpEdMarkNext{};

    // Paints the well with its top-left corner at `topLeft`. The quadrascope and the
    // spectrum show their title (4, 2) over their boxes, which keep 4 points free at the
    // left, right and bottom; the scope boxes are 4 points apart with a 2-point border.
    void paint(QPainter &painter, QPointF topLeft) const;
    // The open overlay's click areas; none for the displays, whose click is the screen's.
    void addHits(HitMap &hits, QPointF topLeft) const;
};
