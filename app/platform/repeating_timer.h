// Repeating timers that fire on the main thread until invalidated.
#pragma once

#include <chrono>
#include <functional>
#include <memory>

namespace vexa {

class RepeatingTimer {
public:
    virtual ~RepeatingTimer() = default;
    // Stops the timer for good; its block never runs again.
    virtual void invalidate() = 0;
};

class TimerService {
public:
    virtual ~TimerService() = default;
    virtual std::unique_ptr<RepeatingTimer> scheduleRepeating(std::chrono::nanoseconds interval,
                                                              std::function<void()> block) = 0;
};

} // namespace vexa
