// Observable values: every assignment notifies the value's own observers and the
// owner's change notifier, so a view can redraw on any change or watch one property.
// Observers may come and go while being notified (see observer_list.h).
#pragma once

#include "observer_list.h"

#include <functional>
#include <utility>

namespace vexa {

class PlayerEngine;

// Observers of "something changed"; shared by all properties of one owner.
class ChangeNotifier {
public:
    ObserverId observe(std::function<void()> observer)
    {
        return observers_.add(std::move(observer));
    }
    void forget(ObserverId id) { observers_.remove(id); }
    void notify() { observers_.notify(); }

private:
    ObserverList<> observers_;
};

// A property its owner assigns and everyone else reads and observes.
template <class T> class Published {
public:
    Published(ChangeNotifier &owner, T initial) : owner_(owner), value_(std::move(initial)) {}
    Published(const Published &) = delete;
    Published &operator=(const Published &) = delete;

    const T &get() const { return value_; }
    const T &operator()() const { return value_; }

    ObserverId observe(std::function<void(const T &)> observer)
    {
        return observers_.add(std::move(observer));
    }
    void forget(ObserverId id) { observers_.remove(id); }

private:
    friend class PlayerEngine;

    // Every assignment notifies, changed or not.
    void set(T value)
    {
        value_ = std::move(value);
        observers_.notify(value_);
        owner_.notify();
    }

    ChangeNotifier &owner_;
    T value_;
    ObserverList<const T &> observers_;
};

} // namespace vexa
