#include "attach/mousepad_attach.h"

#include "attach/attach_controls.h"
#include "attach/state_reads.h"
#include "attach/window_steps.h"

namespace quillon::attach {

using link::DeviceKind;

void MousepadAttach::arrival(link::DeviceLink&) {
    ctx_.loop.post([&skin = ctx_.skin] { selectTab(skin, kAttachControls.mousepadTab); });
    readMousepadState(ctx_);
    static_cast<void>(ctx_.profiles.folders.profileFolder(DeviceKind::mousepad));
    postProfileSelection(ctx_, profiles::ProfileListId::mousepadLighting, std::nullopt);
    link::DeviceArrived arrived;
    arrived.kind = DeviceKind::mousepad;
    ctx_.stores.read([&](const StoredData& d) { arrived.info = d.mousepad.info; });
    postArrived(ctx_, arrived);
    ctx_.loop.post([&skin = ctx_.skin] { skin.windowCommand(skin::WindowCommand::relayout); });
    ctx_.loop.startTimer(shell::TimerId::relayout, shell::kRelayoutAfterAttach,
                         shell::TimerMode::once);
    sameMode_.reset();
}

void MousepadAttach::removal(link::DeviceLink&) {
    ctx_.loop.post([&skin = ctx_.skin] { showControl(skin, kAttachControls.mousepadTab, false); });
    link::DeviceLeft left;
    left.kind = DeviceKind::mousepad;
    postFallback(ctx_, left);
}

void MousepadAttach::stillPresent(link::DeviceLink&) {
    sameMode_.update(ctx_, DeviceKind::mousepad);
}

}  // namespace quillon::attach
