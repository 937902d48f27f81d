#include "shell/message_router.h"

namespace quillon::shell {

bool MessageRouter::dispatch(const WindowMessage& message) const {
    if (message.id == MessageId::timer) {
        return dispatchTimer(static_cast<TimerId>(message.wParam));
    }
    const auto it = messages_.find(message.id);
    if (it == messages_.end() || !it->second) {
        return false;
    }
    it->second(message);
    return true;
}

bool MessageRouter::dispatchTimer(TimerId id) const {
    const auto it = timers_.find(id);
    if (it == timers_.end() || !it->second) {
        return false;
    }
    it->second();
    return true;
}

}  // namespace quillon::shell
