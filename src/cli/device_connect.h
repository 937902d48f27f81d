#pragma once

// Opening a device for a command, and telling why an exchange failed, the same
// way in every command group.

#include "cli/cli_context.h"
#include "link/device_catalogue.h"
#include "link/device_link.h"
#include "link/status.h"

namespace quillon::cli {

// Opens the command interface of the first attached device of `kind`; tells
// the user when there is none.
bool connectDevice(Context& ctx, link::DeviceLink& link, link::DeviceKind kind);

// "quillonctl: WHAT failed: REASON (CODE)"; returns kExitFailed.
int reportFailure(Context& ctx, const char* what, link::Status s);

}  // namespace quillon::cli
