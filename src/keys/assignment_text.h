#pragma once

// A key assignment written as text, as quillonctl takes and shows it:
//   key:LCtrl+C  mouse:left  hscroll:right,5,2,3  vscroll:down,3  dpi:up
//   fire:10,3  media:play  system:sleep  macro:2,0  macro-count:2,5  gun:1
//   default
// Key names are the short names of the key-name table ("A", "LCtrl",
// "Num Enter"), letters in any case. gun:1..4 are the patterns 1..4.

#include <optional>
#include <string>
#include <string_view>

#include "keys/key_assignment.h"

namespace quillon::keys {

struct AssignmentText {
    KeyAssignment assignment;
    bool factoryDefault = false;  // "default": the key's factory assignment
};

// nullopt for text that is not an assignment; `error` then says why.
std::optional<AssignmentText> parseAssignmentText(std::string_view text,
                                                  std::string* error = nullptr);

// The text form of an assignment the parser makes; nullopt for assignments
// it has no words for (device-defined types, values outside its tables).
std::optional<std::string> assignmentTextOf(const KeyAssignment& a);

}  // namespace quillon::keys
