// The disk-op grid, the transpose panel and the help overlay: their geometry, the text
// wrapping rules, which click runs which action, and the non-interactive copies.
#include "views/disk_op_view.h"
#include "views/help_pages.h"
#include "views/help_view.h"
#include "views/transpose_view.h"

#include "test_canvas.h"

#include <gtest/gtest.h>

#include <vector>

using namespace uitest;

// Shows help rows in test failures as "text"/header.
inline void PrintTo(const VexaHelpRow &row, std::ostream *out)
{
    *out << '"' << row.text.toStdString() << '"' << (row.isHeader ? "/header" : "");
}

namespace {

// Presses and releases at each point in turn.
void click(HitMap &hits, std::initializer_list<QPointF> points)
{
    for (const QPointF p : points) {
        hits.press(p);
        hits.release(p);
    }
}

} // namespace

TEST(DiskOpView, lastColumnAndRowTakeTheRemainder)
{
    const struct {
        qreal w, h;
        std::array<qreal, 3> columns;
        std::array<qreal, 2> rows;
    } cases[] = {{300, 60, {98, 98, 100}, {29, 29}}, {415, 107, {137, 137, 137}, {52, 53}}};
    for (const auto &c : cases) {
        const VexaDiskOpView::Grid grid = VexaDiskOpView{.width = c.w, .height = c.h}.grid();
        EXPECT_EQ(std::pair(grid.columns, grid.rows), std::pair(c.columns, c.rows))
            << c.w << " x " << c.h;
    }
}

TEST(DiskOpView, cellsRunTheirActionsRowByRow_gapsAndTheIdleCopyDoNothing)
{
    for (const bool interactive : {true, false}) {
        std::vector<VexaDiskOpAction> run;
        HitMap hits;
        VexaDiskOpView{.width = 300,
                       .height = 60,
                       .interactive = interactive,
                       .onAction = [&](VexaDiskOpAction a) { run.push_back(a); }}
            .addHits(hits, QPointF(10, 20));
        click(hits, {{11, 21}, {150, 35}, {309, 48}, {60, 60}, {200, 70}, {300, 51}, {108.5, 30}});
        const std::vector<VexaDiskOpAction> all = {
            VexaDiskOpAction::loadModule,   VexaDiskOpAction::saveModule,
            VexaDiskOpAction::saveModuleAs, VexaDiskOpAction::loadSample,
            VexaDiskOpAction::saveSample,   VexaDiskOpAction::saveSampleAs};
        EXPECT_EQ(run, interactive ? all : std::vector<VexaDiskOpAction>{});
    }
}

TEST(WrapLines, wordsJoinWhileTheLineFitsAt14PointsACharacter)
{
    const struct {
        QString text;
        qreal maxWidth;
        QStringList lines;
    } cases[] = {
        {"LOAD MODULE", 94, {"LOAD", "MODULE"}},
        {"SAVE AS", 146, {"SAVE AS"}},
        {"SAVE AS", 97.9, {"SAVE", "AS"}},
        {"load  module ", 1000, {"LOAD MODULE"}},
        {"ABCDEFGHIJKL", 50, {"ABCDEFGHIJKL"}},
        {"A B CD", 42, {"A B", "CD"}},
        {"", 100, {""}},
        {"   ", 100, {""}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(wrapLines(c.text, c.maxWidth), c.lines) << c.text.toStdString();
}

TEST(TransposeView, rowsAQuarterOfTheRoomHeldTo16To20_thenLoweredUntilTheyFit)
{
    const struct {
        qreal w, h;
        VexaTransposeView::Layout layout;
    } cases[] = {
        {300, 100, {144, 152, 23, 17}}, // avail 73: floor(70 / 4)
        {300, 91, {144, 152, 23, 15}},  // avail 64: 15 raised to 16, then back to 15
        {300, 40, {144, 152, 23, 15}},  // never less room than 64 is assumed
        {415, 107, {201, 209, 23, 19}}, {300, 300, {144, 152, 23, 20}},
    };
    for (const auto &c : cases) {
        const VexaTransposeView::Layout l = VexaTransposeView{.width = c.w, .height = c.h}.layout();
        EXPECT_EQ(std::tuple(l.colW, l.col2x, l.top, l.rowH),
                  std::tuple(c.layout.colW, c.layout.col2x, c.layout.top, c.layout.rowH))
            << c.w << " x " << c.h;
    }
}

TEST(TransposeView, leftColumnTransposesTheTrack_rightThePattern_idleCopyDoesNothing)
{
    // 300 x 100: rows 17 high at y 23, 41, 59, 77; columns at x 4 and 152, 144 wide.
    for (const bool interactive : {true, false}) {
        using Runs = std::vector<std::pair<bool, int>>;
        Runs run;
        HitMap hits;
        VexaTransposeView{
            .width = 300,
            .height = 100,
            .interactive = interactive,
            .onAction = [&](bool track, int semitones) { run.emplace_back(track, semitones); }}
            .addHits(hits, QPointF(0, 0));
        click(hits, {{4, 23}, {147, 57}, {152, 59}, {295, 93}, {150, 30}, {20, 40}, {20, 10}});
        const Runs expected = {{true, 1}, {true, -1}, {false, 12}, {false, -12}};
        EXPECT_EQ(run, interactive ? expected : Runs{});
    }
    EXPECT_EQ(transposeActionFromRaw(2), VexaTransposeAction::octaveUp);
    EXPECT_EQ(transposeActionFromRaw(4), std::nullopt);
    EXPECT_EQ(transposeActionFromRaw(-1), std::nullopt);
}

TEST(HelpWrapping, longLinesBreakAfterTheirLastSpaceWithin80_rowsKeepTheLinesHeaderFlag)
{
    const QString a70(70, u'A'), b20(20, u'B'), c15(15, u'C'), x170(170, u'X'), d80(80, u'D');
    const struct {
        QStringList lines;
        std::vector<VexaHelpRow> rows;
    } cases[] = {
        {{"KEYS", "", " SPACE  STOP"}, {{"KEYS", true}, {"", false}, {" SPACE  STOP", false}}},
        {{a70 + " " + b20 + "   " + c15}, {{a70 + " ", false}, {b20 + "   " + c15, false}}},
        {{x170}, {{x170.first(80), false}, {x170.first(80), false}, {x170.first(10), false}}},
        {{d80}, {{d80, false}}},
        {{"EFFECTS " + a70 + "  " + b20}, {{"EFFECTS " + a70 + "  ", true}, {b20, true}}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(wrapped(c.lines, 80), c.rows) << c.lines.front().toStdString();
}

TEST(HelpPages, headersAreTheFixedSetAndEffectLines_anyPageButTheFirstShowsTheCredits)
{
    for (const char *header :
         {"KEYS", "CREDITS", "ORIGINAL VERSION:", "RETRO PORT:", "VEXATRON HISTORY",
          "THE ORIGINAL ENGINE", "EFFECTS  CMD+XX  (CLASSIC MOD)", "EFFECTSX"})
        EXPECT_TRUE(isHelpHeader(QString::fromLatin1(header))) << header;
    for (const char *line : {" KEYS", "KEYS:", "CREDIT", " EFFECTS", ""})
        EXPECT_FALSE(isHelpHeader(QString::fromLatin1(line))) << line;
    EXPECT_EQ(helpPageLines(7), helpPageLines(1));
}

TEST(HelpView, footerCountsPagesFromOne_panelClicksAdvance_clicksBesideItClose)
{
    EXPECT_EQ(VexaHelpView({.page = 0, .pageCount = 2}).footerText(),
              "ESC=CLOSE  PAGE 1/2  HELP/CLICK=NEXT");
    int advanced = 0, closed = 0;
    HitMap hits;
    VexaHelpView{.onAdvance = [&] { ++advanced; }, .onClose = [&] { ++closed; }}.addHits(hits);
    click(hits, {{24, 20}, {615.9, 459.9}, {320, 240}});
    EXPECT_EQ(std::pair(advanced, closed), std::pair(3, 0));
    click(hits, {{23.9, 240}, {616, 240}, {320, 19.9}, {0, 0}, {639, 479}});
    EXPECT_EQ(std::pair(advanced, closed), std::pair(3, 5));
}
