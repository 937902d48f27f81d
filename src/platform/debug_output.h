#pragma once

// The one place where the program's fixed diagnostic phrases go (the debugger
// output of the original program): a line on stderr, which journald keeps when
// the program runs as a service. Library code calls this for the phrases the
// behaviour names and otherwise returns errors instead of printing.

#include <string_view>

namespace quillon::platform {

// Writes `phrase` and a newline as one write, so lines of threads do not mix.
void debugOutput(std::string_view phrase);

}  // namespace quillon::platform
