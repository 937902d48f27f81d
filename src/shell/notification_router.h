#pragma once

// Routing of skin notifications to their actions, filled by the subsystems at
// start-up. For each notification type the routes are tried stage by stage:
//
//   1. first    — whole names tried before anything else (the window buttons);
//   2. prefix   — names that split into this prefix and an index, in the order
//                 they were added;
//   3. name     — whole names;
//   4. fallback — routes that take any name (tab navigation).
//
// A matching route ends the routing unless it was added with Flow::continues.
// Names are compared without regard to case. Routing is re-entrant: a handler
// may raise further notifications (select a row raising "itemselect") and they
// are routed at once, before the handler goes on. Routes are added before the
// first notification arrives and not changed afterwards.

#include <cstddef>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "skin/notification.h"

namespace quillon::shell {

enum class Flow { stop, continues };

// The index is the number after the prefix for prefix routes, 0 otherwise.
using RouteHandler = std::function<void(const skin::Notification&, int index)>;

class NotificationRouter {
  public:
    void addFirst(skin::NotifyType type, std::string_view name, RouteHandler handler,
                  Flow flow = Flow::stop);
    void addPrefix(skin::NotifyType type, std::string_view prefix, RouteHandler handler,
                   Flow flow = Flow::stop);
    void addName(skin::NotifyType type, std::string_view name, RouteHandler handler,
                 Flow flow = Flow::stop);
    // The same handler for several whole names.
    void addNames(skin::NotifyType type, std::initializer_list<std::string_view> names,
                  const RouteHandler& handler, Flow flow = Flow::stop);
    void addFallback(skin::NotifyType type, RouteHandler handler, Flow flow = Flow::stop);

    // Runs the matching routes; returns how many ran (0: the name matched no route).
    std::size_t route(const skin::Notification& notification) const;

    // The names and prefixes routed, for checks against the skin files
    // (fallback routes take any name and have none).
    struct RouteKey {
        skin::NotifyType type;
        bool prefix;
        std::string_view key;
    };
    std::vector<RouteKey> routeKeys() const;

  private:
    enum class Match { name, prefix, any };
    struct Route {
        Match match;
        std::string key;
        RouteHandler handler;
        Flow flow;
    };
    static constexpr std::size_t kStages = 4;
    void add(skin::NotifyType type, std::size_t stage, Route route);

    std::vector<Route> routes_[skin::NOTIFY_TYPE_COUNT][kStages];
};

}  // namespace quillon::shell
