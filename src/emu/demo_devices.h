#pragma once

// The devices `--demo` plugs in so a newcomer sees every view work.

#include "emu/virtual_bus.h"

namespace quillon::emu {

// Plugs an RGB keyboard, a model-0 mouse and the mousepad into `bus`.
void attachDemoDevices(VirtualBus& bus);

}  // namespace quillon::emu
