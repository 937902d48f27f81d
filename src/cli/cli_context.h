#pragma once

#include <ostream>
#include <span>
#include <string>

#include "link/report_trace.h"
#include "platform/hid/hid_backend.h"

namespace quillon::cli {

// What every quillonctl command gets: the HID backend (real or emulated),
// the trace observer (or nullptr), and the streams.
struct Context {
    platform::HidBackend& backend;
    link::ReportTrace* trace;
    bool demo;
    std::ostream& out;
    std::ostream& err;
};

using Args = std::span<const std::string>;

}  // namespace quillon::cli
