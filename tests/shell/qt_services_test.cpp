// The controller's main queue and display timer on Qt's event loop.
#include "qt_main_queue.h"
#include "qt_timer_service.h"

#include <QApplication>
#include <QThread>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

using namespace std::chrono_literals;

namespace {

// Runs the event loop until `done` holds or `limit` passes.
template <class Done> bool spinUntil(Done done, std::chrono::milliseconds limit = 5s)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!done() && std::chrono::steady_clock::now() < deadline)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    return done();
}

} // namespace

TEST(QtMainQueue, runsBlocksLaterOnTheMainThread_inTheOrderPosted_fromAnyThread)
{
    QtMainQueue queue;
    std::vector<int> order;
    std::vector<bool> onMain;
    auto block = [&](int n) {
        return [&, n] {
            order.push_back(n);
            onMain.push_back(QThread::currentThread() == QApplication::instance()->thread());
        };
    };
    queue.post(block(1));
    std::thread([&] {
        queue.post(block(2));
        queue.post(block(3));
    }).join();
    EXPECT_TRUE(order.empty()) << "a block ran before the loop did";
    ASSERT_TRUE(spinUntil([&] { return order.size() == 3; }));
    EXPECT_EQ(order, (std::vector{1, 2, 3}));
    EXPECT_EQ(onMain, std::vector<bool>(3, true));
}

TEST(QtTimerService, firesRepeatedlyUntilInvalidated_evenFromItsOwnBlock)
{
    QtTimerService timers;
    int fired = 0;
    std::unique_ptr<vexa::RepeatingTimer> timer;
    timer = timers.scheduleRepeating(5ms, [&] {
        if (++fired == 3)
            timer->invalidate();
    });
    EXPECT_TRUE(spinUntil([&] { return fired == 3; }));
    spinUntil([] { return false; }, 50ms);
    EXPECT_EQ(fired, 3);
}
