#include "link/command_report.h"

#include <algorithm>

namespace quillon::link {
namespace {

// Commands whose offset says where on the device the data goes or comes from.
bool carriesOffset(std::uint8_t command) {
    switch (static_cast<Command>(command)) {
        case Command::readSettings:
        case Command::readKeymapBase:
        case Command::readKeymapSlot:
        case Command::writeKeymapSlot:
        case Command::ledFrame:
        case Command::writeMacros:
        case Command::readCursors:
        case Command::writeCursors:
            return true;
        default:
            return false;
    }
}

}  // namespace

bool answers(const CommandReport& report, const CommandReport& request) {
    if (report.reportId() != kCommandReportId || report.command() != request.command())
        return false;
    return !carriesOffset(request.command()) || report.offset() == request.offset();
}

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
