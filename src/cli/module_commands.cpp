#include "cli/module_commands.h"

#include "lighting/effect_cli.h"
#include "link/interface_scan.h"
#include "profiles/profiles_cli.h"

namespace quillon::cli {

int profilesList(Context& ctx, Args args) {
    return profiles::profilesList(args, ctx.out, ctx.err);
}

int profilesShow(Context& ctx, Args args) {
    return profiles::profilesShow(args, ctx.out, ctx.err);
}

int effectRender(Context& ctx, Args args) {
    return lighting::renderEffect(args, ctx.out, ctx.err);
}

int effectPlay(Context& ctx, Args args) {
    link::DeviceLink keyboard(ctx.backend);
    keyboard.setMatch(link::DeviceKind::keyboard);
    keyboard.hid.setTrace(ctx.trace);
    if (!link::connectFirst(keyboard, link::DeviceKind::keyboard)) {
        ctx.err << "quillonctl: no keyboard found\n";
        return 1;
    }
    return lighting::playEffect(args, keyboard, ctx.out, ctx.err);
}

}  // namespace quillon::cli
