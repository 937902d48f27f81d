#include "link/command_report.h"

#include <algorithm>

namespace quillon::link {

CommandReport buildRequest(Command command, std::uint16_t offset,
                           std::span<const std::uint8_t> payload, std::uint8_t length) {
    CommandReport report;
    report.setHeader(command, length, offset);
    const std::size_t n = std::min(payload.size(), kPayloadSize);
    std::copy_n(payload.begin(), n, report.payload().begin());
    sealChecksum(report);
    return report;
}

}  // namespace quillon::link
