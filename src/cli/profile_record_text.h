#pragma once

// A profile content file's record, field by field, as "profiles show" prints it.

#include <cstdint>
#include <ostream>
#include <span>

#include "profiles/profile_lists.h"

namespace quillon::cli {

void printProfileRecord(std::ostream& out, profiles::ProfileListId list,
                        std::span<const std::uint8_t> record);

}  // namespace quillon::cli
