// Observers called in the order they were added, each with an id to remove it by.
//
// Observers may add and remove observers (themselves included) while being notified:
// an observer removed during a notification is not called after its removal and is
// destroyed only once the outermost notification has finished, so no observer is
// destroyed while it runs; one added during a notification is first called by the next.
// Main thread only.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <utility>

namespace vexa {

using ObserverId = uint64_t;

template <class... Args> class ObserverList {
public:
    ObserverId add(std::function<void(Args...)> observer)
    {
        observers_.emplace(++lastId_, Entry{std::move(observer), false});
        return lastId_;
    }

    void remove(ObserverId id)
    {
        const auto entry = observers_.find(id);
        if (entry == observers_.end())
            return;
        if (notifying_ > 0)
            entry->second.removed = true; // erased once the walk is over
        else
            observers_.erase(entry);
    }

    void notify(const Args &...args)
    {
        const ObserverId newest = lastId_;
        {
            const Walk walk(*this);
            // Map iterators stay valid while entries are added; none is erased here.
            for (auto entry = observers_.begin();
                 entry != observers_.end() && entry->first <= newest; ++entry) {
                if (!entry->second.removed)
                    entry->second.observer(args...);
            }
        }
        if (notifying_ == 0)
            std::erase_if(observers_, [](const auto &entry) { return entry.second.removed; });
    }

private:
    struct Entry {
        std::function<void(Args...)> observer;
        bool removed;
    };

    // Counts nested notifications, also when an observer throws.
    struct Walk {
        explicit Walk(ObserverList &list) : list(list) { ++list.notifying_; }
        ~Walk() { --list.notifying_; }
        Walk(const Walk &) = delete;
        Walk &operator=(const Walk &) = delete;
        ObserverList &list;
    };

    std::map<ObserverId, Entry> observers_;
    ObserverId lastId_ = 0;
    int notifying_ = 0;
};

} // namespace vexa
