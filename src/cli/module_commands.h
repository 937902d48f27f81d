#pragma once

// Adapters from the commands other folders provide to the CLI's signature.

#include "cli/cli_context.h"

namespace quillon::cli {

int profilesList(Context& ctx, Args args);
int profilesShow(Context& ctx, Args args);
int effectRender(Context& ctx, Args args);
int effectPlay(Context& ctx, Args args);
int updateCheck(Context& ctx, Args args);

}  // namespace quillon::cli
