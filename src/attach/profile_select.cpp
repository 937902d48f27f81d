#include "attach/profile_select.h"

#include "attach/profile_memory.h"
#include "attach/window_steps.h"
#include "platform/debug_output.h"
#include "profiles/profile_events.h"

namespace quillon::attach {

using profiles::ProfileListId;

std::string_view programFileName(std::string_view path) {
    const std::size_t cut = path.find_last_of("/\\");
    return cut == std::string_view::npos ? path : path.substr(cut + 1);
}

void selectProfile(AttachContext& ctx, ProfileListId list) {
    const profiles::ProfileList& info = profiles::profileList(list);
    skin::Control* combo = ctx.skin.find(info.combo);
    if (combo == nullptr)
        return;
    const int cur = combo->currentRow();
    const std::optional<skin::Row> row = combo->row(cur);
    if (!row)
        return;

    const profiles::ProfilePanel& names = info.panel;
    if (skin::Control* edit = ctx.skin.find(names.nameEdit))
        edit->setText(row->userData);

    profiles::ProfileIndex index = ctx.profiles.index(list);
    if (!profiles::succeeded(index.writeSelect(cur)))
        platform::debugOutput("profile selection not saved");

    skin::Control* check = ctx.skin.find(names.linkCheck);
    if (index.linked(cur)) {
        const std::string path = index.linkPath(cur);
        if (skin::Control* edit = ctx.skin.find(names.linkEdit))
            edit->setText(programFileName(path));
        if (check)
            check->setChecked(true, false);
        showControl(ctx.skin, names.linkNameRow, true);
    } else if (check) {
        // The check's own handler clears the entry's link.
        check->setChecked(false, true);
    }

    // A missing or foreign file leaves memory and the device as they were.
    if (loadListProfile(ctx, list, cur) == profiles::ProfileReadResult::ok)
        ctx.events.publish(profiles::ProfileLoaded{list, false});
}

void selectProfileRow(AttachContext& ctx, ProfileListId list, int row) {
    skin::Control* combo = ctx.skin.find(profiles::profileList(list).combo);
    if (combo == nullptr || row < 0 || row >= combo->rowCount())
        return;
    combo->selectRow(row, true);
}

void addProfileSelectRoutes(shell::NotificationRouter& router, AttachContext& ctx) {
    for (const profiles::ProfileList& list : profiles::kProfileLists) {
        router.addName(
            skin::NotifyType::itemSelect, list.combo,
            [&ctx, id = list.id](const skin::Notification&, int) { selectProfile(ctx, id); });
    }
}

}  // namespace quillon::attach
