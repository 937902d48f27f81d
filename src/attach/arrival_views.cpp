#include "attach/arrival_views.h"

#include "attach/profile_select.h"

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

void postArrivedTab(AttachContext& ctx, std::string_view tab, std::optional<UpdateNotice> notice) {
    ctx.loop.post([&ctx, tab, notice] {
        selectTab(ctx.skin, tab);
        if (notice)
            ctx.hooks.updateWindowNotice(*notice);
    });
}

void postFallback(AttachContext& ctx, DeviceKind leaving) {
    const FallbackView view = fallbackView(leaving, attachedKinds(ctx));
    ctx.loop.post([&ctx, view] {
        if (!view.tab.empty())
            selectTab(ctx.skin, view.tab);
        if (view.closeUpdateWindow)
            ctx.hooks.closeUpdateWindow();
        if (view.hideWindow)
            ctx.skin.windowCommand(skin::WindowCommand::hide);
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
