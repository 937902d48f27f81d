#pragma once

// The mouse feature's view of the records attach and lighting keep: the
// state records in the lighting settings (with their flush flags), the
// information records and slot tables in the device stores.

#include "attach/device_stores.h"
#include "lighting/lighting_settings.h"
#include "mouse/mouse_records.h"

namespace quillon::app {

class AttachMouseRecords final : public mouse::MouseRecords {
  public:
    AttachMouseRecords(attach::DeviceStores& stores, lighting::LightingSettings& lighting)
        : stores_(stores), lighting_(lighting) {}

    link::MouseState mouseState() const override;
    void changeMouseState(const std::function<void(link::MouseState&)>& change) override;
    std::uint8_t activeSlot(link::DeviceKind kind) const override;
    void dropPendingWrite(link::DeviceKind kind) override;
    link::DeviceInfo mouseInfo() const override;
    profiles::MouseSystemSettings systemSettings() const override;
    void changeSystemSettings(
        const std::function<void(profiles::MouseSystemSettings&)>& change) override;
    void keepInSlotTable(link::DeviceKind kind, std::uint8_t slot) override;
    void takeSlotRecord(link::DeviceKind kind, std::uint8_t slot,
                        std::span<const std::uint8_t> record) override;

  private:
    attach::DeviceStores& stores_;
    lighting::LightingSettings& lighting_;
};

}  // namespace quillon::app
