#pragma once

// How versions become numbers and texts. The service gives dotted decimal
// versions ("1.0.5"); the number is the text with its dots removed, read as
// leading decimal digits (105; "1.0.10" gives 1010). A device reports a
// 16-bit HID version whose hexadecimal digits are read back as decimal
// (0x0105 gives 105), and shown with dots put in (1.0.5). Dots go only where
// the text is long enough for them, so short versions stay as they are.

#include <cstdint>
#include <string>
#include <string_view>

namespace quillon::update {

// Dots removed, leading digits; 0 when there are none. Saturates at INT_MAX.
int dottedNumber(std::string_view text);

// The leading decimal number of a text ("3.0.2" gives 3).
int leadingNumber(std::string_view text);

int firmwareNumber(std::uint16_t hidVersion);

// "%x" of the version with a dot before the second and then before the
// fourth character: 0x0105 gives "1.0.5".
std::string firmwareVersionText(std::uint16_t hidVersion);

// "V" + the digits with dots put in the same way: 105 gives "V1.0.5".
std::string versionLabel(std::string_view digits);

// Newest firmware versions above this count as unknown.
inline constexpr int kFirmwareVersionLimit = 300;
// The start-up check trusts a software version only below this.
inline constexpr int kSoftwareVersionLimit = 500;

}  // namespace quillon::update
