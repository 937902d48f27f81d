// Feeds arbitrary bytes to the report descriptor parser, then decodes a report
// made of the same bytes against every capability it produced.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/hid/report_descriptor.h"

using namespace quillon::platform;

namespace {

void decodeAll(const ReportCaps& caps, std::span<const std::uint8_t> report) {
    std::array<std::uint16_t, 64> usages;
    for (const ButtonCaps& b : caps.buttons) {
        const std::size_t n = activeUsages(b, report, usages);
        if (n > usages.size())
            __builtin_trap();
    }
    for (const ValueCaps& v : caps.values) {
        for (std::uint32_t u = v.usageMin; u <= v.usageMax && u < v.usageMin + 4u; ++u) {
            (void)usageValue(v, std::uint16_t(u), report);
            (void)scaledUsageValue(v, std::uint16_t(u), report);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    DescriptorError error;
    const auto descriptor = parseReportDescriptor(bytes, &error);
    if (!descriptor) {
        if (error.message.empty() || error.offset > size)
            __builtin_trap();
        return 0;
    }
    for (const TopLevelCollection& c : descriptor->collections) {
        // The report: the input's tail, behind each report id the collection uses.
        const std::span<const std::uint8_t> tail = bytes.subspan(size / 2);
        std::array<std::uint8_t, 128> report{};
        const std::size_t length = std::min(report.size(), tail.size());
        std::copy_n(tail.begin(), length, report.begin());
        const std::span<const std::uint8_t> r(report.data(), std::max<std::size_t>(length, 1));
        for (std::uint8_t id : c.reportIds.empty() ? std::vector<std::uint8_t>{0} : c.reportIds) {
            report[0] = id;
            decodeAll(c.input, r);
            decodeAll(c.output, r);
            decodeAll(c.feature, r);
        }
    }
    return 0;
}
