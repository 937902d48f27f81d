#pragma once

// The devices `--demo` plugs in so a newcomer sees every view work.

#include "emu/virtual_bus.h"

namespace quillon::emu {

// An RGB keyboard, a model-0 mouse and the mousepad. False when any failed to plug.
[[nodiscard]] bool attachDemoDevices(VirtualBus& bus);

}  // namespace quillon::emu
