#pragma once

#include "cli/cli_context.h"

namespace quillon::cli {

int listDevices(Context& ctx, Args args);
int showInfo(Context& ctx, Args args);
int readKeymap(Context& ctx, Args args);
int resetDevice(Context& ctx, Args args);

}  // namespace quillon::cli
