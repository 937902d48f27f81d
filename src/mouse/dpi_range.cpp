#include "mouse/dpi_range.h"

namespace quillon::mouse {

DpiRange dpiRangeOf(const link::DeviceInfo& info) {
    const auto& b = info.bytes;
    DpiRange r;
    r.sensorId = static_cast<std::uint16_t>(b[kSensorIdByte] | b[kSensorIdByte + 1] << 8);
    r.step = b[kDpiStepByte];
    r.highestLevel = b[kHighestLevelByte];
    r.lowestDpi = static_cast<std::uint16_t>(b[kLowestDpiByte] | b[kLowestDpiByte + 1] << 8);
    for (const KnownSensor& s : kKnownSensors) {
        if (s.sensorId == r.sensorId) {
            r.lowestDpi = s.lowestDpi;
            r.labels = s;
        }
    }
    return r;
}

}  // namespace quillon::mouse
