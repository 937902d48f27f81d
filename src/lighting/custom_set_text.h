#pragma once

// A custom colour set as a tool reads it from a file: the 378 bytes
// themselves, or those bytes written as hex digits (blanks and line breaks
// anywhere between the digits).

#include <optional>
#include <string_view>

#include "lighting/lighting_record.h"

namespace quillon::lighting {

// nullopt unless the text is exactly one set in either form.
std::optional<CustomSet> parseCustomSet(std::string_view content);

}  // namespace quillon::lighting
