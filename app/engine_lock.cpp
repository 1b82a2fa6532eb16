#include "engine_lock.h"

#include <cassert>

namespace vexa {

void EngineLock::lock()
{
#ifndef NDEBUG
    // Only this thread can have stored its own id, so the check cannot race.
    assert(holder_.load() != std::this_thread::get_id() &&
           "the engine lock was taken again by the thread holding it (a command called "
           "another command under the lock)");
#endif
    mutex_.lock();
#ifndef NDEBUG
    holder_.store(std::this_thread::get_id());
#endif
}

void EngineLock::unlock()
{
#ifndef NDEBUG
    holder_.store(std::thread::id());
#endif
    mutex_.unlock();
}

} // namespace vexa
