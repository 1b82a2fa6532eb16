// The click areas of one repaint and the routing of a mouse press to them. Views add
// their areas while they are built; the area added last lies on top. A press goes to the
// top-most area under the pointer, and that area alone receives the drags and the
// release that follow, even when the areas are rebuilt by repaints in between.
#pragma once

#include <QPointF>
#include <QRectF>

#include <functional>
#include <optional>
#include <vector>

// One click area. Handlers receive the pointer relative to the area's top-left corner
// and may be empty; an area without handlers still takes the press away from the areas
// below it.
struct HitArea {
    using Handler = std::function<void(QPointF local)>;

    QRectF rect{};
    Handler press{};
    Handler drag{};
    Handler release{};

    // A push-button area: `action` runs when the press is released inside `rect`.
    static HitArea click(QRectF rect, std::function<void()> action);

    // Whether `point` lies inside, counting the left and top edges but not the right and
    // bottom ones, so that areas placed edge to edge never share a point.
    bool contains(QPointF point) const;
};

class HitMap {
public:
    void add(HitArea area) { areas_.push_back(std::move(area)); }

    // Drops the areas before a rebuild; a press in progress keeps its area.
    void clearAreas() { areas_.clear(); }

    // Starts a press; returns whether an area took it.
    bool press(QPointF point);
    void drag(QPointF point);
    void release(QPointF point);

private:
    std::vector<HitArea> areas_;
    std::optional<HitArea> pressed_;
};
