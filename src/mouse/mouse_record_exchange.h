#pragma once

// The mouse's current settings record read and written directly, for
// programs that are not the window (quillonctl): the active slot's record
// becomes a MouseState, and a MouseState goes back as the settings flush
// sends it (23 bytes, zero-filled to 56).

#include <array>
#include <optional>

#include "link/device_link.h"
#include "link/device_state.h"
#include "link/status.h"

namespace quillon::mouse {

// The rates `ms_report_fct_combo` lists, by item index.
inline constexpr std::array<int, 4> kReportRatesHz{125, 250, 500, 1000};

// The item index of a rate the combo lists; nullopt for any other.
std::optional<std::uint8_t> reportRateIndex(int hz);

// Reads the active slot and its record. A slot above the table reads as
// Status::badSlot with `out` untouched.
link::Status readActiveMouseState(link::DeviceLink& link, link::MouseState& out);

link::Status writeMouseState(link::DeviceLink& link, const link::MouseState& state);

}  // namespace quillon::mouse
