#pragma once

// Typed events between the feature modules: a module publishes what happened
// (a device arrived, a profile was loaded, the system suspends) and any number
// of modules subscribe, without knowing each other. Subscribers run at once, in
// the order they subscribed, on the thread that publishes — the GUI thread for
// every event of the program. Subscriptions are made while the modules are
// installed, before the first event.

#include <cstddef>
#include <deque>
#include <functional>
#include <map>
#include <typeindex>
#include <utility>

namespace quillon::shell {

class EventBus {
  public:
    EventBus() = default;
    EventBus(const EventBus&) = delete;
    EventBus& operator=(const EventBus&) = delete;

    template <class Event>
    void subscribe(std::function<void(const Event&)> subscriber) {
        if (!subscriber)
            return;
        subscribers_[std::type_index(typeid(Event))].push_back(
            [s = std::move(subscriber)](const void* event) {
                s(*static_cast<const Event*>(event));
            });
    }

    // Runs every subscriber of Event. A subscriber may publish further events;
    // they are delivered at once, before the remaining subscribers of this one.
    template <class Event>
    void publish(const Event& event) const {
        const auto it = subscribers_.find(std::type_index(typeid(Event)));
        if (it == subscribers_.end())
            return;
        // By index over a deque: a subscription made from inside a subscriber
        // moves no subscriber (the running one included) and sees only the
        // next event.
        const std::size_t count = it->second.size();
        for (std::size_t i = 0; i < count; ++i)
            it->second[i](&event);
    }

    template <class Event>
    std::size_t subscriberCount() const {
        const auto it = subscribers_.find(std::type_index(typeid(Event)));
        return it == subscribers_.end() ? 0 : it->second.size();
    }

  private:
    std::map<std::type_index, std::deque<std::function<void(const void*)>>> subscribers_;
};

}  // namespace quillon::shell
