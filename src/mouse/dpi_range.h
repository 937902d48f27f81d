#pragma once

// What a mouse's DPI sliders mean: the range its information record gives,
// corrected for the sensors the program knows, and how many stages each
// model shows.

#include <cstdint>
#include <optional>
#include <string_view>

#include "link/device_info.h"
#include "link/device_models.h"

namespace quillon::mouse {

// Information record bytes of the sensor.
inline constexpr std::size_t kSensorIdByte = 9;  // 16-bit little-endian
inline constexpr std::size_t kDpiStepByte = 11;
inline constexpr std::size_t kHighestLevelByte = 12;
inline constexpr std::size_t kLowestDpiByte = 13;  // 16-bit little-endian

struct KnownSensor {
    std::uint16_t sensorId;
    std::uint16_t lowestDpi;
    std::string_view minLabel;
    std::string_view maxLabel;
};

inline constexpr KnownSensor kKnownSensors[] = {
    {0x3325, 200, "200", "5000"},
    {0x3050, 250, "250", "4000"},
    {0x3360, 100, "100", "12000"},
};

struct DpiRange {
    std::uint16_t sensorId = 0;
    std::uint16_t lowestDpi = 0;
    std::uint8_t step = 0;
    std::uint8_t highestLevel = 0;
    // The range labels of a known sensor; an unknown one leaves them as they are.
    std::optional<KnownSensor> labels;
};

DpiRange dpiRangeOf(const link::DeviceInfo& info);

// The DPI a stage's level stands for.
constexpr unsigned stageDpi(const DpiRange& range, unsigned level) {
    return range.lowestDpi + level * range.step;
}

inline constexpr int kStageCount = 6;

// Stages 1..n shown: the first model 5, the second edition 6, model 2 four.
constexpr int stagesShown(link::MouseModel model) {
    switch (model) {
        case link::MouseModel::first:
            return 5;
        case link::MouseModel::secondEdition:
            return 6;
        case link::MouseModel::model2:
            return 4;
    }
    return 5;
}

}  // namespace quillon::mouse
