#pragma once

// The main window's message and timer table, filled by the feature modules at
// start-up; everything runs on the GUI thread. Several modules may answer the
// same message or timer: every handler runs, in the order it was added, so a
// later module never silently takes a message away from an earlier one.

#include <functional>
#include <map>
#include <vector>

#include "shell/timer_ids.h"
#include "shell/window_message.h"

namespace quillon::shell {

using MessageHandler = std::function<void(const WindowMessage&)>;
using TimerHandler = std::function<void()>;

class MessageRouter {
  public:
    // Adds a handler after those already added for `id`; an empty one is ignored.
    void on(MessageId id, MessageHandler handler);
    void onTimer(TimerId id, TimerHandler handler);

    // False when no handler takes the message (it is then ignored).
    bool dispatch(const WindowMessage& message) const;
    bool dispatchTimer(TimerId id) const;
    bool handles(MessageId id) const { return messages_.contains(id); }

  private:
    std::map<MessageId, std::vector<MessageHandler>> messages_;
    std::map<TimerId, std::vector<TimerHandler>> timers_;
};

}  // namespace quillon::shell
