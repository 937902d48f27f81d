#pragma once

// The keyboard's steps in its attach poll: tell the three keyboards apart,
// read the keyboard's stored state, select its saved profiles, show the
// window and tell the modules (DeviceArrived); fall back to another view and
// tell them (DeviceLeft) when it leaves.

#include "attach/arrival_views.h"
#include "lighting/lighting_controls.h"
#include "link/attach_poll.h"
#include "link/stop_signal.h"

namespace quillon::attach {

inline constexpr std::string_view kKeyboardAttachExitLine = "键盘设备侦测线程设定退出";

class KeyboardAttach final : public link::AttachSteps {
  public:
    // `stop` cuts the settling wait short at shutdown (nullptr: none).
    KeyboardAttach(AttachContext& ctx, const link::StopSignal* stop) : ctx_(ctx), stop_(stop) {}

    void arrival(link::DeviceLink& link) override;
    void removal(link::DeviceLink& link) override;
    void stillPresent(link::DeviceLink& link) override;

  private:
    AttachContext& ctx_;
    const link::StopSignal* stop_;
    SameModeOption sameMode_{lighting::kKeyboardLighting.sameMode};
};

}  // namespace quillon::attach
