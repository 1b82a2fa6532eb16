// The main thread's queue: blocks posted here run later on the main thread, in order.
#pragma once

#include <functional>

namespace vexa {

class MainQueue {
public:
    virtual ~MainQueue() = default;
    virtual void post(std::function<void()> block) = 0;
};

} // namespace vexa
