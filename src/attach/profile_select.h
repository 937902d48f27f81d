#pragma once

// Selecting a row of a profile combo: the selected profile becomes the
// list's `select`, its program link is shown, and it is loaded and applied.
// This is the only way a saved profile reaches its device. GUI thread only.

#include <string>
#include <string_view>

#include "attach/attach_context.h"
#include "shell/notification_router.h"

namespace quillon::attach {

// The part of a program path after its last separator (either kind).
std::string_view programFileName(std::string_view path);

// The row-selection event of a list's combo, for the selected row. Nothing
// happens without a selected row.
void selectProfile(AttachContext& ctx, profiles::ProfileListId list);

// Moves the combo's selection to `row` raising its event, which runs the
// selection through the routes below. A row that is already selected or out of
// range changes nothing (the profile in use stays as it is).
void selectProfileRow(AttachContext& ctx, profiles::ProfileListId list, int row);

// Routes "itemselect" of the five profile combos to selectProfile.
void addProfileSelectRoutes(shell::NotificationRouter& router, AttachContext& ctx);

}  // namespace quillon::attach
