#pragma once

// Reading the service's JSON answers. Only two members matter: the current
// version of a product (Data.version, a dotted decimal string) and the answer
// to an update registration (Result_Code, a string holding a number; "2"
// means go on). Members of other JSON types count as missing.

#include <optional>
#include <string>
#include <string_view>

namespace quillon::update {

// The answer is taken up to its first zero byte, like the text of the
// zero-terminated answer buffer it was read into.
std::optional<std::string> answerVersionText(std::string_view answer);
std::optional<int> answerResultCode(std::string_view answer);

inline constexpr int kRegistrationGranted = 2;

}  // namespace quillon::update
