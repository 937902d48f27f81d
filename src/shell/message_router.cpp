#include "shell/message_router.h"

namespace quillon::shell {

void MessageRouter::on(MessageId id, MessageHandler handler) {
    if (handler)
        messages_[id].push_back(std::move(handler));
}

void MessageRouter::onTimer(TimerId id, TimerHandler handler) {
    if (handler)
        timers_[id].push_back(std::move(handler));
}

bool MessageRouter::dispatch(const WindowMessage& message) const {
    if (message.id == MessageId::timer)
        return dispatchTimer(static_cast<TimerId>(message.wParam));
    const auto it = messages_.find(message.id);
    if (it == messages_.end())
        return false;
    // Handlers are added only before the first message, so the list stays put
    // while a handler runs (even one that dispatches further messages).
    for (const MessageHandler& handler : it->second)
        handler(message);
    return true;
}

bool MessageRouter::dispatchTimer(TimerId id) const {
    const auto it = timers_.find(id);
    if (it == timers_.end())
        return false;
    for (const TimerHandler& handler : it->second)
        handler();
    return true;
}

}  // namespace quillon::shell
