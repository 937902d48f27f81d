#pragma once

#include <string>

namespace quillon::update {

// A new random GUID as 36 characters: upper-case hexadecimal digits and four
// dashes, without braces.
std::string newGuidText();

}  // namespace quillon::update
