#pragma once

// The mousepad's steps in its attach poll. Unlike the keyboard and the mouse,
// its arrival neither shows the window nor tells the update window.

#include "attach/arrival_views.h"
#include "lighting/lighting_controls.h"
#include "link/attach_poll.h"

namespace quillon::attach {

inline constexpr std::string_view kMousepadAttachExitLine = "鼠标垫设备侦测线程设定退出";

class MousepadAttach final : public link::AttachSteps {
  public:
    explicit MousepadAttach(AttachContext& ctx) : ctx_(ctx) {}

    void arrival(link::DeviceLink& link) override;
    void removal(link::DeviceLink& link) override;
    void stillPresent(link::DeviceLink& link) override;

  private:
    AttachContext& ctx_;
    SameModeOption sameMode_{lighting::kMousepadLighting.sameMode};
};

}  // namespace quillon::attach
