// Notification while observers come and go: the views add and remove observers from
// inside observers, so a notification must survive every such change.
#include "published.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

using vexa::ObserverId;

namespace {

// Three observers "a", "b", "c" of one notifier, each writing its letter to `calls`; "b"
// also does the case's change while being notified. Then two notifications.
struct Observers {
    vexa::ChangeNotifier notifier;
    std::string calls;
    ObserverId a = 0, b = 0, c = 0;
    bool changing = true; // only the first notification changes anything

    ObserverId letter(char name)
    {
        return notifier.observe([this, text = std::string(1, name)] { calls += text; });
    }
};

} // namespace

TEST(Notification, survivesObserversAddedAndRemovedWhileNotifying)
{
    const struct {
        const char *change;
        std::function<void(Observers &)> byB;
        const char *calls; // both notifications, separated by "|"
    } cases[] = {
        {"b removes itself", [](Observers &o) { o.notifier.forget(o.b); }, "abc|ac"},
        {"b removes a later one", [](Observers &o) { o.notifier.forget(o.c); }, "ab|ab"},
        {"b removes an earlier one", [](Observers &o) { o.notifier.forget(o.a); }, "abc|bc"},
        {"b adds one", [](Observers &o) { o.letter('d'); }, "abc|abcd"},
        {"b notifies again", [](Observers &o) { o.notifier.notify(); }, "aabcbc|abc"},
    };
    for (const auto &c : cases) {
        Observers o;
        o.a = o.letter('a');
        // A string kept by the observer, read after its change: it must still exist.
        o.b = o.notifier.observe([&o, &c, text = std::string("b")] {
            if (std::exchange(o.changing, false))
                c.byB(o);
            o.calls += text;
        });
        o.c = o.letter('c');
        o.notifier.notify();
        o.calls += '|';
        o.notifier.notify();
        EXPECT_EQ(o.calls, c.calls) << c.change;
    }
}
