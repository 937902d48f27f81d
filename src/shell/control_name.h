#pragma once

// Control names as the event dispatch reads them: compared without regard to
// (ASCII) case, and split at the last underscore into a prefix that keeps the
// underscore and a decimal index ("kb_key_17" -> "kb_key_", 17).

#include <string_view>

namespace quillon::shell {

struct SplitName {
    bool split = false;       // false: the name has no underscore
    std::string_view prefix;  // up to and including the last underscore
    int index = 0;            // 0 when the rest is not a decimal number
};

// The index of a rest that is a number too large for an int: larger than any
// table, so handlers that check their bounds ignore it.
inline constexpr int kIndexTooLarge = 0x7FFFFFFF;

SplitName splitControlName(std::string_view name);

// Whether the name ends in an underscore and digits: numbered controls
// ("kb_dkey_12"); "kb_dkey_" alone is routed as index 0 but is none of them.
bool isNumberedName(std::string_view name);

bool equalsIgnoringCase(std::string_view a, std::string_view b);

}  // namespace quillon::shell
