#pragma once

// DeviceChannel over a device link: frames go out with CMD_LED_FRAME under the
// link's lock, one report exchange at a time.

#include "lighting/device_channel.h"
#include "link/device_link.h"

namespace quillon::lighting {

class LinkChannel final : public DeviceChannel {
  public:
    explicit LinkChannel(link::DeviceLink& link) : link_(link) {}
    bool connected() const override { return link_.connected.load() != 0; }
    bool syncLighting() const override { return link_.syncLighting.load() != 0; }
    void sendFrame(std::span<const std::uint8_t> frame) override;

  private:
    link::DeviceLink& link_;
};

}  // namespace quillon::lighting
