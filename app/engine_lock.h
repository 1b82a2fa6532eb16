// The one lock that guards the engine context, shared by the main thread's commands and
// the audio thread's render callback. It is not recursive: a thread that takes it while
// already holding it would wait for itself for ever. Debug builds catch that at once and
// abort with a message instead of hanging, which is how a command that wrongly calls
// another command while holding the lock shows itself.
#pragma once

#include <mutex>

#ifndef NDEBUG
#include <atomic>
#include <thread>
#endif

namespace vexa {

class EngineLock {
public:
    // Waits for the lock. On the audio thread only the render callback calls this.
    void lock();
    void unlock();

private:
    std::mutex mutex_;
#ifndef NDEBUG
    // The thread holding the lock, or no thread; read by every thread that locks.
    std::atomic<std::thread::id> holder_{};
#endif
};

} // namespace vexa
