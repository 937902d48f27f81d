#pragma once

// The main window's message and timer table: one handler per message id and
// per timer id, filled by the subsystems at start-up; everything runs on the
// GUI thread.

#include <functional>
#include <map>

#include "shell/timer_ids.h"
#include "shell/window_message.h"

namespace quillon::shell {

using MessageHandler = std::function<void(const WindowMessage&)>;

class MessageRouter {
  public:
    // A later handler for the same id replaces the earlier one.
    void on(MessageId id, MessageHandler handler) {
        messages_.insert_or_assign(id, std::move(handler));
    }
    void onTimer(TimerId id, std::function<void()> handler) {
        timers_.insert_or_assign(id, std::move(handler));
    }

    // False when no handler takes the message (it is then ignored).
    bool dispatch(const WindowMessage& message) const;
    bool dispatchTimer(TimerId id) const;
    bool handles(MessageId id) const { return messages_.contains(id); }

  private:
    std::map<MessageId, MessageHandler> messages_;
    std::map<TimerId, std::function<void()>> timers_;
};

}  // namespace quillon::shell
