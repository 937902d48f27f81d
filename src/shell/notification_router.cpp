#include "shell/notification_router.h"

#include "shell/control_name.h"

namespace quillon::shell {

namespace {
constexpr std::size_t kFirst = 0, kPrefix = 1, kName = 2, kFallback = 3;
}

void NotificationRouter::add(skin::NotifyType type, std::size_t stage, Route route) {
    const auto typeIndex = static_cast<std::size_t>(type);
    if (!route.handler || typeIndex >= skin::NOTIFY_TYPE_COUNT) {
        return;  // nothing to call: such a route would only hide the ones after it
    }
    routes_[static_cast<std::size_t>(type)][stage].push_back(std::move(route));
}

void NotificationRouter::addFirst(skin::NotifyType type, std::string_view name,
                                  RouteHandler handler, Flow flow) {
    add(type, kFirst, {Match::name, std::string(name), std::move(handler), flow});
}

void NotificationRouter::addPrefix(skin::NotifyType type, std::string_view prefix,
                                   RouteHandler handler, Flow flow) {
    add(type, kPrefix, {Match::prefix, std::string(prefix), std::move(handler), flow});
}

void NotificationRouter::addName(skin::NotifyType type, std::string_view name, RouteHandler handler,
                                 Flow flow) {
    add(type, kName, {Match::name, std::string(name), std::move(handler), flow});
}

void NotificationRouter::addNames(skin::NotifyType type,
                                  std::initializer_list<std::string_view> names,
                                  const RouteHandler& handler, Flow flow) {
    for (std::string_view name : names) {
        addName(type, name, handler, flow);
    }
}

void NotificationRouter::addFallback(skin::NotifyType type, RouteHandler handler, Flow flow) {
    add(type, kFallback, {Match::any, {}, std::move(handler), flow});
}

std::vector<NotificationRouter::RouteKey> NotificationRouter::routeKeys() const {
    std::vector<RouteKey> keys;
    for (std::size_t t = 0; t < skin::NOTIFY_TYPE_COUNT; ++t) {
        for (const auto& stage : routes_[t]) {
            for (const Route& r : stage) {
                if (r.match != Match::any)
                    keys.push_back(
                        {static_cast<skin::NotifyType>(t), r.match == Match::prefix, r.key});
            }
        }
    }
    return keys;
}

std::size_t NotificationRouter::route(const skin::Notification& notification) const {
    const auto typeIndex = static_cast<std::size_t>(notification.type);
    if (typeIndex >= skin::NOTIFY_TYPE_COUNT) {
        return 0;
    }
    const SplitName split = splitControlName(notification.name);
    std::size_t ran = 0;
    for (const auto& stage : routes_[typeIndex]) {
        for (const Route& r : stage) {
            int index = 0;
            bool matches = false;
            switch (r.match) {
                case Match::name:
                    matches = equalsIgnoringCase(r.key, notification.name);
                    break;
                case Match::prefix:
                    matches = split.split && equalsIgnoringCase(r.key, split.prefix);
                    index = split.index;
                    break;
                case Match::any:
                    matches = true;
                    break;
            }
            if (!matches) {
                continue;
            }
            ++ran;
            r.handler(notification, index);
            if (r.flow == Flow::stop) {
                return ran;
            }
        }
    }
    return ran;
}

}  // namespace quillon::shell
