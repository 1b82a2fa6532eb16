#include "toolkit/hit_map.h"

#include <algorithm>

namespace {

bool insideHalfOpen(const QRectF &rect, QPointF point)
{
    return point.x() >= rect.left() && point.x() < rect.left() + rect.width() &&
           point.y() >= rect.top() && point.y() < rect.top() + rect.height();
}

void notify(const HitArea::Handler &handler, const HitArea &area, QPointF point)
{
    if (handler)
        handler(point - area.rect.topLeft());
}

} // namespace

HitArea HitArea::click(QRectF rect, std::function<void()> action)
{
    HitArea area{.rect = rect};
    area.release = [size = rect.size(), action = std::move(action)](QPointF local) {
        if (action && insideHalfOpen(QRectF(QPointF(), size), local))
            action();
    };
    return area;
}

bool HitArea::contains(QPointF point) const
{
    return insideHalfOpen(rect, point);
}

bool HitMap::press(QPointF point)
{
    const auto top = std::find_if(areas_.rbegin(), areas_.rend(),
                                  [&](const HitArea &area) { return area.contains(point); });
    if (top == areas_.rend()) {
        pressed_.reset();
        return false;
    }
    pressed_ = *top;
    notify(pressed_->press, *pressed_, point);
    return true;
}

void HitMap::drag(QPointF point)
{
    if (pressed_)
        notify(pressed_->drag, *pressed_, point);
}

void HitMap::release(QPointF point)
{
    if (!pressed_)
        return;
    const HitArea area = std::move(*pressed_);
    pressed_.reset();
    notify(area.release, area, point);
}
