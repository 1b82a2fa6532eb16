// The sample editor: its geometry, the summary line, the integer column and offset rules,
// marker grabbing and alternation through the real press-drag-release path, the buttons,
// the non-interactive copy that ignores everything, and the marker colours.
#include "test_canvas.h"
#include "view_states.h"
#include "views/smp_ed_view.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace uitest;
using vexa::VexaSmpEdAction;

namespace {

constexpr QColor yellow{255, 255, 0};
constexpr qreal areaLeft = 6, areaTop = 22; // the waveform area inside the box's border

// Records the view's callbacks as "mark A@off", "mark B@off", "next A", "next B", "act N".
struct Recorder {
    std::vector<std::string> calls;

    VexaSmpEdView view(VexaSmpEdModel model, bool interactive = true)
    {
        return {.width = 415,
                .height = 107,
                .model = std::move(model),
                .interactive = interactive,
                .onAction =
                    [this](VexaSmpEdAction a) {
                        calls.push_back("act " + std::to_string(static_cast<int>(a)));
                    },
                .onWaveMark =
                    [this](int which, uint32_t off) {
                        calls.push_back(std::string("mark ") + "AB"[which] + "@" +
                                        std::to_string(off));
                    },
                .onMarkNextChange =
                    [this](int which) { calls.push_back(std::string("next ") + "AB"[which]); }};
    }
};

std::string at(qreal x) // the offset of area column x for the looped sample: 6720 / 406 a column
{
    return std::to_string(VexaSmpEdView::xToOff(x, 407 - 4, 0x1A40));
}

} // namespace

TEST(SmpEdGeometry, waveBoxAndButtonsFollowThePanelSize)
{
    const struct {
        qreal w, h;
        QRectF wave;
        qreal bw, lastW, row1, row2;
    } cases[] = {
        {415, 107, {4, 20, 407, 39}, 100, 101, 62, 84},
        {300, 80, {4, 20, 292, 16}, 71, 73, 35, 57},
    };
    for (const auto &c : cases) {
        const VexaSmpEdView view{.width = c.w, .height = c.h};
        EXPECT_EQ(std::tuple(view.waveBox(), view.buttonWidth(), view.lastButtonWidth(),
                             view.rowY(0), view.rowY(1)),
                  std::tuple(c.wave, c.bw, c.lastW, c.row1, c.row2))
            << c.w << " x " << c.h;
    }
}

TEST(SmpEdTitle, showsTheLoopOnlyForSamplesOf4AndLoopsOf3_valuesAs16And8Bits)
{
    const struct {
        VexaSmpEdModel model;
        const char *title;
    } cases[] = {
        {{1, 0x1234, 64, 0x100, 0x200}, "SMP:01 LEN:1234 A:0100 B:0300 VOL:40"},
        {{31, 0x1234, 0, -6, 0x20}, "SMP:31 LEN:1234 A:0000 B:001A VOL:00"},
        {{2, 0x100, 300, 0xF0, 0x40}, "SMP:02 LEN:0100 A:00F0 B:0100 VOL:2C"},
        {{9, 0x12345, 1, 0, 4}, "SMP:09 LEN:2345 A:0000 B:0004 VOL:01"},
        {{1, 3, 64, 0, 3}, "SMP:01 LEN:0003 A:---- B:---- VOL:40"},
        {{1, 0x1234, 64, 0x100, 2}, "SMP:01 LEN:1234 A:---- B:---- VOL:40"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(VexaSmpEdView{.model = c.model}.titleText().toStdString(), c.title);
}

TEST(SmpEdOffsets, columnsAndOffsetsConvertInIntegerSteps_offsetsEvenAndWithinTheSample)
{
    EXPECT_EQ(VexaSmpEdView::offToX(0x800, 403, 0x1A40), 122); // 2048 x 402 / 6720
    EXPECT_EQ(VexaSmpEdView::offToX(99999, 403, 0x1A40), 402); // past the end: last column
    EXPECT_EQ(VexaSmpEdView::offToX(10, 1, 100), 0);
    EXPECT_EQ(VexaSmpEdView::offToX(10, 403, 1), 0);
    EXPECT_EQ(VexaSmpEdView::xToOff(201, 403, 0x1A40), 3360u);
    EXPECT_EQ(VexaSmpEdView::xToOff(5000, 403, 0x1A40), 0x1A40u); // right of the area
    for (const qreal width : {1.5, 2.0, 3.5, 100.0, 403.0})
        for (const int64_t len : {2, 3, 101, 0x1A40, 131071})
            for (qreal x = -10; x < width + 10; x += 0.5) {
                const uint32_t off = VexaSmpEdView::xToOff(x, width, len);
                ASSERT_TRUE(off % 2 == 0 && off <= len) << x << " in " << width << " of " << len;
            }
}

TEST(SmpEdWave, pressNearAMarkerGrabsIt_freePressesSetAAndBInTurn_dragsMoveTheSameMarker)
{
    // The looped sample (6720 bytes, loop 0x800..0x1800) in a 403-wide area has its
    // markers at columns 122 (A) and 367 (B); a press grabs from 4 left to 5 right.
    const struct {
        int64_t markNext, loopLength, length;
        std::vector<qreal> gesture; // press, then drags
        std::vector<std::string> calls;
    } cases[] = {
        {1, 0x1000, 0x1A40, {118}, {"next A", "mark A@" + at(118)}},
        {0, 0x1000, 0x1A40, {127, 300}, {"next A", "mark A@" + at(127), "mark A@" + at(300)}},
        {1, 0x1000, 0x1A40, {117}, {"mark B@" + at(117), "next A"}},
        {0, 0x1000, 0x1A40, {117, 50}, {"mark A@" + at(117), "next B", "mark A@" + at(50)}},
        {0, 0x1000, 0x1A40, {372}, {"next B", "mark B@" + at(372)}},
        {0, 0x1000, 0x1A40, {373}, {"mark A@" + at(373), "next B"}},
        {1, 2, 0x1A40, {122}, {"mark B@" + at(122), "next A"}}, // no loop: nothing to grab
        {0, 0x1000, 3, {122, 10}, {}},                          // too short to mark
    };
    for (const auto &c : cases) {
        VexaSmpEdModel model = loopedSample();
        model.markNext = c.markNext;
        model.loopLength = c.loopLength;
        model.length = c.length;
        Recorder recorder;
        HitMap hits;
        recorder.view(model).addHits(hits, QPointF(0, 0));
        hits.press(QPointF(areaLeft + c.gesture[0], areaTop + 5));
        for (size_t k = 1; k < c.gesture.size(); ++k)
            hits.drag(QPointF(areaLeft + c.gesture[k], areaTop + 5));
        hits.release(QPointF(areaLeft + c.gesture.back(), areaTop + 5));
        EXPECT_EQ(recorder.calls, c.calls) << "press at " << c.gesture[0];
    }
}

TEST(SmpEdClicks, buttonsRunTheirActions_gesturesStartAfresh_theIdleCopyIgnoresEverything)
{
    // The eight buttons, rows of four left to right, then two free presses in the wave:
    // each sets B (the next marker) anew, since each gesture starts without a grab.
    const QPointF buttons[] = {{5, 63},  {106, 70},  {300, 81}, {410, 62},
                               {54, 84}, {150, 103}, {305, 90}, {410, 100}};
    for (const bool interactive : {true, false}) {
        Recorder recorder;
        HitMap hits;
        recorder.view(loopedSample(), interactive).addHits(hits, QPointF(0, 0));
        for (const QPointF p : buttons) {
            EXPECT_TRUE(hits.press(p));
            hits.release(p);
        }
        for (const qreal x : {200.0, 250.0}) {
            EXPECT_TRUE(hits.press(QPointF(areaLeft + x, areaTop)));
            hits.drag(QPointF(areaLeft + x, areaTop));
            hits.release(QPointF(areaLeft + x, areaTop));
        }
        std::vector<std::string> all;
        for (int action = 0; action < 8; ++action)
            all.push_back("act " + std::to_string(action));
        for (const qreal x : {200.0, 250.0})
            all.insert(all.end(), {"mark B@" + at(x), "next A", "mark B@" + at(x)});
        EXPECT_EQ(recorder.calls, interactive ? all : std::vector<std::string>{});
    }
}

TEST(SmpEdPaint, theMarkerTheNextPressSetsIsWhite_theOtherYellow_eachTwoColumnsWide)
{
    for (const int64_t next : {0, 1}) {
        VexaSmpEdModel model = loopedSample();
        model.markNext = next;
        TestCanvas canvas(415, 107);
        VexaSmpEdView{.width = 415, .height = 107, .model = model}.paint(canvas.painter(),
                                                                         QPointF(0, 0));
        const QRect a(areaLeft + 122, areaTop, 2, 35), b(areaLeft + 367, areaTop, 2, 35);
        EXPECT_EQ(canvas.count(next == 0 ? hi : yellow, a), 70) << next;
        EXPECT_EQ(canvas.count(next == 1 ? hi : yellow, b), 70) << next;
        EXPECT_EQ(canvas.count(hi, QRect(areaLeft + 124, areaTop, 243, 35)), 0) << next;
    }
}
