// Notification while observers come and go: the views add and remove observers from
// inside observers, so a notification must survive every such change.
#include "controller_fixture.h"

using namespace vxtest;
using vexa::ObserverId;

namespace {

// Three observers "a", "b", "c" of one notifier, each writing its letter to `calls`; "b"
// also does the case's change while being notified. Then two notifications.
struct Observers {
    vexa::ChangeNotifier notifier;
    std::string calls;
    ObserverId a = 0, b = 0, c = 0;
    bool changed = false;

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
        {"b removes all",
         [](Observers &o) {
             for (const ObserverId id : {o.a, o.b, o.c})
                 o.notifier.forget(id);
         },
         "ab|"},
    };
    for (const auto &c : cases) {
        Observers o;
        o.a = o.letter('a');
        // A string kept by the observer, read after its change: it must still exist.
        o.b = o.notifier.observe([&o, &c, text = std::string("b")] {
            const bool first = !o.changed;
            o.changed = true;
            if (first)
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

TEST_F(ControllerTest, aPropertyObserverMayForgetItselfWhileNotified)
{
    std::vector<vexa::VexaMidWellOverlay> seen;
    ObserverId id = 0;
    id = engine->midWellOverlay.observe([&, keep = std::string("kept")](const auto &overlay) {
        engine->midWellOverlay.forget(id);
        seen.push_back(overlay);
        EXPECT_EQ(keep, "kept");
    });
    engine->toggleDiskOp();
    engine->toggleDiskOp();
    EXPECT_EQ(seen, std::vector{vexa::VexaMidWellOverlay::diskOp});
}
