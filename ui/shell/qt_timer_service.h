// Repeating timers on Qt's event loop, for the controller's display timer. Qt counts
// whole milliseconds, so an interval such as 1/30 s cannot be set as it is; each timer
// instead aims every shot at its next deadline on the steady clock, and its shots keep
// the exact average rate. A shot that comes more than an interval late drops the
// deadlines it missed rather than firing in a burst.
#pragma once

#include "platform/repeating_timer.h"

class QtTimerService : public vexa::TimerService {
public:
    // Main thread: the timer fires there, and is invalidated or destroyed there.
    std::unique_ptr<vexa::RepeatingTimer> scheduleRepeating(std::chrono::nanoseconds interval,
                                                            std::function<void()> block) override;
};
