// The engine lock: a thread that takes it again while holding it (a command calling
// another command under the lock) stops the program with a message in a debug build
// instead of waiting for itself for ever.
#include "engine_lock.h"

#include <gtest/gtest.h>

#include <mutex>

TEST(EngineLock, takenAgainByTheThreadHoldingIt_abortsInsteadOfHanging)
{
#ifdef NDEBUG
    GTEST_SKIP() << "the check exists in debug builds only";
#else
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    vexa::EngineLock lock;
    EXPECT_DEATH(
        {
            std::lock_guard command(lock);
            std::lock_guard nestedCommand(lock);
        },
        "taken again by the thread holding it");
    std::lock_guard afterwards(lock); // released and retaken, nothing is left behind
#endif
}
