// The hit map: which area takes a press, and where the drags and the release go.
#include "toolkit/hit_map.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Events = std::vector<std::string>;

// Records every event an area receives as "name:kind@x,y" in local coordinates.
struct Recorder {
    Events events;

    HitArea area(const std::string &name, QRectF rect)
    {
        auto log = [this, name](const char *kind) {
            return [this, name, kind](QPointF p) {
                events.push_back(name + ":" + kind + "@" + std::to_string(int(p.x())) + "," +
                                 std::to_string(int(p.y())));
            };
        };
        return {
            .rect = rect, .press = log("press"), .drag = log("drag"), .release = log("release")};
    }
};

} // namespace

TEST(HitMap, pressGoesToTheTopMostAreaUnderThePointer_andEdgesTouchingShareNoPoint)
{
    Recorder r;
    HitMap hits;
    hits.add(r.area("right", QRectF(100, 0, 10, 10))); // under "below" were they to overlap
    hits.add(r.area("below", QRectF(0, 0, 100, 100)));
    hits.add(r.area("above", QRectF(40, 40, 20, 20)));
    for (const QPointF at : {QPointF(45, 50), QPointF(10, 20), QPointF(100, 0)}) {
        EXPECT_TRUE(hits.press(at));
        hits.release(at);
    }
    EXPECT_FALSE(hits.press(QPointF(110, 5)));
    EXPECT_FALSE(hits.press(QPointF(5, 100)));
    EXPECT_EQ(r.events, (Events{"above:press@5,10", "above:release@5,10", "below:press@10,20",
                                "below:release@10,20", "right:press@0,0", "right:release@0,0"}));
}

TEST(HitMap, dragsAndReleaseFollowThePressedArea_outsideIt_andAcrossARebuild)
{
    Recorder r;
    HitMap hits;
    hits.add(r.area("old", QRectF(0, 0, 10, 10)));
    hits.press(QPointF(5, 5));
    hits.clearAreas();
    hits.add(r.area("new", QRectF(0, 0, 10, 10)));
    hits.drag(QPointF(15, 5));
    hits.release(QPointF(30, 5));
    hits.press(QPointF(1, 1));
    EXPECT_EQ(r.events,
              (Events{"old:press@5,5", "old:drag@15,5", "old:release@30,5", "new:press@1,1"}));
}

TEST(HitMap, missedPressOrAreaWithoutHandlers_sendNothingUntilTheNextPress)
{
    Recorder r;
    HitMap hits;
    hits.add(r.area("below", QRectF(0, 0, 10, 10)));
    hits.add(HitArea{.rect = QRectF(0, 0, 5, 5)});
    EXPECT_FALSE(hits.press(QPointF(50, 50)));
    hits.drag(QPointF(7, 7));
    hits.release(QPointF(7, 7));
    EXPECT_TRUE(hits.press(QPointF(2, 2))); // taken by the area without handlers
    hits.drag(QPointF(7, 7));
    hits.release(QPointF(7, 7));
    hits.release(QPointF(7, 7));
    EXPECT_TRUE(r.events.empty());
}

TEST(HitArea, click_runsOnReleaseInsideOnly_andToleratesNoAction)
{
    int runs = 0;
    HitMap hits;
    hits.add(HitArea::click(QRectF(0, 0, 10, 10), [&] { ++runs; }));
    hits.add(HitArea::click(QRectF(20, 0, 10, 10), nullptr));
    hits.press(QPointF(1, 1));
    EXPECT_EQ(runs, 0); // nothing happens on the press itself
    hits.drag(QPointF(50, 50));
    hits.release(QPointF(9, 9));
    hits.press(QPointF(1, 1));
    hits.release(QPointF(10, 9));
    hits.press(QPointF(25, 5));
    hits.release(QPointF(25, 5));
    EXPECT_EQ(runs, 1);
}
