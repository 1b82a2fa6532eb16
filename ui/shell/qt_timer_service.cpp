#include "qt_timer_service.h"

#include <QTimer>

namespace {

using Clock = std::chrono::steady_clock;

class QtRepeatingTimer : public vexa::RepeatingTimer {
public:
    QtRepeatingTimer(std::chrono::nanoseconds interval, std::function<void()> block)
        : interval_(interval), block_(std::move(block)), deadline_(Clock::now() + interval)
    {
        shot_.setSingleShot(true);
        shot_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&shot_, &QTimer::timeout, [this] { fire(); });
        aim();
    }

    void invalidate() override
    {
        shot_.stop();
        block_ = nullptr;
    }

private:
    void fire()
    {
        deadline_ += interval_;
        const auto now = Clock::now();
        if (deadline_ <= now)
            deadline_ = now + interval_;
        aim();
        // Run from a copy, last: the block may invalidate or destroy this timer.
        const std::function<void()> block = block_;
        block();
    }

    void aim()
    {
        shot_.start(std::chrono::round<std::chrono::milliseconds>(deadline_ - Clock::now()));
    }

    std::chrono::nanoseconds interval_;
    std::function<void()> block_;
    Clock::time_point deadline_;
    QTimer shot_;
};

} // namespace

std::unique_ptr<vexa::RepeatingTimer>
QtTimerService::scheduleRepeating(std::chrono::nanoseconds interval, std::function<void()> block)
{
    return std::make_unique<QtRepeatingTimer>(interval, std::move(block));
}
