#pragma once

// A control's background image as the views name it: a plain file name
// relative to the skin folder ("common/ocean.png"), or the skin library's
// descriptor form with the file among its attributes
// ("file='ms/key_left_down.png' corner='2,2,2,2'").

#include <string_view>

namespace quillon::skin {

// The file the image names; empty when a descriptor's quote is not closed.
std::string_view imageFile(std::string_view image);

}  // namespace quillon::skin
