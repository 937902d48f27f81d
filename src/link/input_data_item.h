#pragma once

// One piece of an input report, kept up to date by HidDevice::decodeInputReport.
// Built at open: one button item per input button capability, one value item
// per usage of each input value capability.

#include <cstdint>
#include <vector>

namespace quillon::link {

struct InputDataItem {
    bool isButton = false;
    std::uint16_t usagePage = 0;
    std::int32_t lastStatus = 0;  // 1 when the last decoding found the item's data
    std::uint32_t reportId = 0;
    bool dataSet = false;

    // Button items.
    std::uint32_t usageMin = 0;
    std::uint32_t usageMax = 0;
    std::uint32_t maxUsageListLength = 0;
    std::vector<std::uint16_t> usages;  // active usages packed to the front, 0 after the last

    // Value items.
    std::uint16_t usage = 0;
    std::uint32_t rawValue = 0;
    std::int32_t scaledValue = 0;
};

}  // namespace quillon::link
