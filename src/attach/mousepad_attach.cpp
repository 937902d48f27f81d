#include "attach/mousepad_attach.h"

#include "attach/state_reads.h"

namespace quillon::attach {

using link::DeviceKind;

void MousepadAttach::arrival(link::DeviceLink&) {
    ctx_.loop.post([&skin = ctx_.skin] { selectTab(skin, "mp_tab"); });
    readMousepadState(ctx_);
    static_cast<void>(ctx_.profiles.folders.profileFolder(DeviceKind::mousepad));
    postProfileSelection(ctx_, profiles::ProfileListId::mousepadLighting, std::nullopt);
    ctx_.loop.post([&ctx = ctx_] {
        ctx.hooks.refreshMousepadLightingView();
        ctx.skin.windowCommand(skin::WindowCommand::relayout);
    });
    ctx_.loop.startTimer(shell::TimerId::relayout, shell::kRelayoutAfterAttach,
                         shell::TimerMode::once);
    sameMode_.reset();
}

void MousepadAttach::removal(link::DeviceLink&) {
    ctx_.loop.post([&skin = ctx_.skin] { showControl(skin, "mp_tab", false); });
    postFallback(ctx_, DeviceKind::mousepad);
}

void MousepadAttach::stillPresent(link::DeviceLink&) {
    sameMode_.update(ctx_, DeviceKind::mousepad);
}

}  // namespace quillon::attach
