// Observable values: every assignment notifies the value's own observers and the
// owner's change notifier, so a view can redraw on any change or watch one property.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <utility>

namespace vexa {

class PlayerEngine;

using ObserverId = uint64_t;

// Observers of "something changed"; shared by all properties of one owner.
class ChangeNotifier {
public:
    ObserverId observe(std::function<void()> observer)
    {
        observers_.emplace(++lastId_, std::move(observer));
        return lastId_;
    }
    void forget(ObserverId id) { observers_.erase(id); }
    void notify() const
    {
        for (const auto &[id, observer] : observers_)
            observer();
    }

private:
    std::map<ObserverId, std::function<void()>> observers_;
    ObserverId lastId_ = 0;
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
        observers_.emplace(++lastId_, std::move(observer));
        return lastId_;
    }
    void forget(ObserverId id) { observers_.erase(id); }

private:
    friend class PlayerEngine;

    // Every assignment notifies, changed or not.
    void set(T value)
    {
        value_ = std::move(value);
        for (const auto &[id, observer] : observers_)
            observer(value_);
        owner_.notify();
    }

    ChangeNotifier &owner_;
    T value_;
    std::map<ObserverId, std::function<void(const T &)>> observers_;
    ObserverId lastId_ = 0;
};

} // namespace vexa
