#include "attach/arrival_views.h"

#include "attach/profile_select.h"
#include "attach/window_steps.h"

namespace quillon::attach {

using link::DeviceKind;

AttachedKinds attachedKinds(const AttachContext& ctx) {
    AttachedKinds a;
    a.keyboard = ctx.attached(DeviceKind::keyboard);
    a.keyboardVariant = ctx.identity.keyboardVariant.load();
    a.mouse = ctx.attached(DeviceKind::mouse);
    a.mouseModel = ctx.identity.mouseModel.load();
    a.mousepad = ctx.attached(DeviceKind::mousepad);
    return a;
}

void postShowWindow(AttachContext& ctx, std::string_view tabPanel) {
    ctx.loop.startTimer(shell::TimerId::relayout, shell::kRelayoutAfterAttach,
                        shell::TimerMode::once);
    ctx.loop.post([&skin = ctx.skin, tabPanel] {
        showControl(skin, tabPanel, true);
        skin.windowCommand(skin::WindowCommand::show);
    });
}

void postArrivedTab(AttachContext& ctx, std::string_view tab) {
    ctx.loop.post([&skin = ctx.skin, tab] { selectTab(skin, tab); });
}

void postArrived(AttachContext& ctx, const link::DeviceArrived& arrived) {
    ctx.loop.post([&events = ctx.events, arrived] { events.publish(arrived); });
}

void postFallback(AttachContext& ctx, link::DeviceLeft left) {
    const FallbackView view = fallbackView(left.kind, attachedKinds(ctx));
    left.nothingLeft = view.hideWindow;
    ctx.loop.post([&ctx, view, left] {
        if (!view.tab.empty())
            selectTab(ctx.skin, view.tab);
        if (view.hideWindow)
            ctx.skin.windowCommand(skin::WindowCommand::hide);
        ctx.events.publish(left);
    });
}

void postProfileSelection(AttachContext& ctx, profiles::ProfileListId lighting,
                          std::optional<profiles::ProfileListId> keys) {
    const int lightingRow = ctx.profiles.index(lighting).select();
    const int keyRow = keys ? ctx.profiles.index(*keys).select() : -1;
    ctx.loop.post([&ctx, lighting, lightingRow, keys, keyRow] {
        selectProfileRow(ctx, lighting, lightingRow);
        if (keys)
            selectProfileRow(ctx, *keys, keyRow);
    });
}

void SameModeOption::update(AttachContext& ctx, DeviceKind kind) {
    bool others = false;
    for (DeviceKind k : {DeviceKind::keyboard, DeviceKind::mouse, DeviceKind::mousepad})
        if (k != kind && ctx.attached(k))
            others = true;
    const int want = others ? 1 : 0;
    if (shown_.exchange(want) == want)
        return;
    ctx.loop.post([&skin = ctx.skin, name = control_, others] { showControl(skin, name, others); });
}

}  // namespace quillon::attach
