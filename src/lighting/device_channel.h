#pragma once

// What a lighting thread needs of one device: whether it is there, whether
// synchronised lighting holds it, and a way to send it a frame.

#include <cstdint>
#include <span>

namespace quillon::lighting {

class DeviceChannel {
  public:
    virtual ~DeviceChannel() = default;
    virtual bool connected() const = 0;
    virtual bool syncLighting() const = 0;
    // One CMD_LED_FRAME transfer; its result is not examined by any caller.
    virtual void sendFrame(std::span<const std::uint8_t> frame) = 0;

  protected:
    DeviceChannel() = default;
    DeviceChannel(const DeviceChannel&) = default;
    DeviceChannel& operator=(const DeviceChannel&) = default;
};

}  // namespace quillon::lighting
