#pragma once

// The key feature's view of the records attach keeps: the key maps read from
// the devices, their information records, the active slot of the lighting
// state and the key profiles' content files.

#include "attach/attach_service.h"
#include "keys/key_map_access.h"
#include "lighting/lighting_settings.h"

namespace quillon::app {

class AttachKeyMaps final : public keys::KeyMapAccess {
  public:
    AttachKeyMaps(attach::AttachService& attach, const lighting::LightingSettings& lighting)
        : attach_(attach), lighting_(lighting) {}

    keys::KeyMap factoryMap(link::DeviceKind kind) const override;
    keys::KeyMap slotMap(link::DeviceKind kind, int slot) const override;
    void setSlotMap(link::DeviceKind kind, int slot, const keys::KeyMap& map) override;
    int activeSlot(link::DeviceKind kind) const override;
    link::DeviceInfo deviceInfo(link::DeviceKind kind) const override;
    [[nodiscard]] bool saveKeyProfile(link::DeviceKind kind) override;

  private:
    attach::AttachService& attach_;
    const lighting::LightingSettings& lighting_;
};

}  // namespace quillon::app
