#include "platform/debug_output.h"

#include <unistd.h>

#include <string>

namespace quillon::platform {

void debugOutput(std::string_view phrase) {
    std::string line;
    line.reserve(phrase.size() + 1);
    line.append(phrase);
    line.push_back('\n');
    // Diagnostics are best effort: a closed stderr must not disturb the caller.
    [[maybe_unused]] ssize_t n = ::write(STDERR_FILENO, line.data(), line.size());
}

}  // namespace quillon::platform
