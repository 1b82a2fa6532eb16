#include "screen/parameter_panel.h"

#include "screen/screen_layout.h"
#include "toolkit/arrow_pair.h"
#include "toolkit/inner_frame.h"
#include "toolkit/label.h"

#include <array>

using namespace VexaScreenLayout;

namespace {

using Step = void (vexa::PlayerEngine::*)(int64_t delta);

struct ParameterRow {
    const char *label;
    int64_t VexaPaintedValues::*value;
    Step step;     // null: the arrows do nothing
    int64_t delta; // what the up arrow adds and the down arrow takes away
};

// The loop's steps are in words: the arrows move its start and length 4 bytes.
const std::array<ParameterRow, paramRowCount> rows = {{
    {"POSITION", &VexaPaintedValues::orderPos, &vexa::PlayerEngine::stepOrder, 1},
    {"PATTERN", &VexaPaintedValues::currentPattern, &vexa::PlayerEngine::stepPattern, 1},
    {"LENGTH", &VexaPaintedValues::orderLen, &vexa::PlayerEngine::stepLength, 1},
    {"RESTART", &VexaPaintedValues::restartPos, &vexa::PlayerEngine::stepRestart, 1},
    {"SAMPLE", &VexaPaintedValues::currentSample, &vexa::PlayerEngine::stepSample, 1},
    {"VOLUME", &VexaPaintedValues::sampleVolume, &vexa::PlayerEngine::stepSampleVolume, 1},
    {"LENGTH", &VexaPaintedValues::sampleLength, nullptr, 0},
    {"REPEAT", &VexaPaintedValues::sampleLoopStart, &vexa::PlayerEngine::stepLoopStart, 2},
    {"REPLEN", &VexaPaintedValues::sampleLoopLength, &vexa::PlayerEngine::stepLoopLength, 2},
}};

// Four upper-case hexadecimal digits of the value taken as a 16-bit number.
QString hex4(int64_t value)
{
    return QString::asprintf("%04X", static_cast<unsigned>(value & 0xFFFF));
}

void paintRow(QPainter &painter, int index, const QString &label, const QString &value)
{
    const QRectF row = paramRow(index);
    const VexaFont::Label name = VexaFont::titleLabel(label, VexaChrome::colInk);
    name.paint(painter, QPointF(row.left() + paramNameInset, inkCentredTop(row, name.scaleY)));
    const QRectF box = paramValueBox(index);
    painter.fillRect(box, VexaChrome::colWell);
    VexaChrome::paintInnerFrame(painter, box, paramValueBorder, VexaChrome::colShadow);
    const VexaFont::Label text{.text = value,
                               .color = VexaChrome::colInk,
                               .scaleX = VexaChrome::buttonTitleScale,
                               .scaleY = VexaChrome::buttonTitleScale};
    text.paint(painter, QPointF(VexaFont::centredTopLeft(box, text.size()).x(),
                                inkCentredTop(box, text.scaleY)));
    VexaChrome::ArrowPair{.height = paramRowH}.paint(painter, paramArrows(index).topLeft());
}

} // namespace

void VexaParameterPanel::paint(QPainter &painter, const VexaPaintedValues &values)
{
    for (int i = 0; i < paramRowCount; ++i) {
        const ParameterRow &row = rows[static_cast<size_t>(i)];
        paintRow(painter, i, QString::fromLatin1(row.label), hex4(values.*row.value));
    }
    painter.fillRect(paramSeparator, VexaChrome::colShadow);
}

void VexaParameterPanel::addHits(HitMap &hits, vexa::PlayerEngine &player)
{
    for (int i = 0; i < paramRowCount; ++i) {
        const ParameterRow &row = rows[static_cast<size_t>(i)];
        const auto stepBy = [&player, step = row.step](int64_t delta) {
            return [&player, step, delta] { (player.*step)(delta); };
        };
        VexaChrome::ArrowPair pair{.height = paramRowH, .enabled = row.step != nullptr};
        if (row.step) {
            pair.up = stepBy(row.delta);
            pair.down = stepBy(-row.delta);
        }
        pair.addHits(hits, paramArrows(i).topLeft());
    }
}
