#include "link/hid_device.h"

#include <algorithm>
#include <array>

namespace quillon::link {

namespace {
// Active usages gathered for one report before an item's range filter.
constexpr std::size_t kMaxUsageList = 256;
}  // namespace

HidDevice::HidDevice(platform::HidBackend& backend) : backend_(backend) {}

HidDevice::~HidDevice() {
    close();
    releasePathList();
}

bool HidDevice::enumerate() {
    releasePathList();
    if (!backend_.enumerate(pathList)) {
        pathList.clear();
        return false;
    }
    pathCount = static_cast<std::int32_t>(pathList.size());
    return true;
}

void HidDevice::releasePathList() {
    pathList.clear();
    pathList.shrink_to_fit();
    pathCount = 0;
}

std::shared_ptr<platform::HidConnection> HidDevice::connection() const {
    std::lock_guard guard(connectionMutex_);
    return connection_;
}

bool HidDevice::isOpen() const {
    return connection() != nullptr;
}

bool HidDevice::open() {
    close();
    platform::HidOpenFlags flags;
    flags.read = openForRead;
    flags.write = openForWrite;
    flags.overlapped = openOverlapped;
    flags.exclusive = openExclusive;
    std::unique_ptr<platform::HidConnection> opened = backend_.open(devicePath, flags);
    if (!opened)
        return false;

    attributes_ = opened->attributes();
    caps_ = opened->collection();
    interfaceNumber_ = devicePath.interfaceNumber.value_or(0);
    collectionNumber_ = devicePath.collectionNumber();
    buildInputItems();
    {
        std::lock_guard guard(connectionMutex_);
        connection_ = std::move(opened);
    }
    return true;
}

void HidDevice::close() {
    if (readPending() || writePending())
        abortSignal_.set();
    std::shared_ptr<platform::HidConnection> dropped;
    {
        std::lock_guard guard(connectionMutex_);
        dropped.swap(connection_);
    }
    // A transfer still waiting holds its own reference; the connection goes
    // away when that transfer returns. Capability data stays until the next
    // open replaces it, so a thread that closes another's record never races
    // with that thread's decoding.
}

bool HidDevice::probe() const {
    return !devicePath.node.empty() && backend_.probe(devicePath);
}

void HidDevice::abort() {
    abortSignal_.set();
}

platform::TransferStatus HidDevice::writeReport(std::span<const std::uint8_t> report,
                                                std::size_t& written) {
    written = 0;
    std::shared_ptr<platform::HidConnection> conn = connection();
    if (!conn)
        return platform::TransferStatus::failed;
    writePending_.store(true, std::memory_order_relaxed);
    const platform::TransferStatus status =
        conn->writeReport(report, kWriteTimeLimitMs, abortSignal_, written);
    writePending_.store(false, std::memory_order_relaxed);
    if (status != platform::TransferStatus::completed) {
        written = 0;
        return status;
    }
    if (ReportTrace* trace = trace_.load(std::memory_order_acquire))
        trace->reportWritten(report);
    return status;
}

platform::TransferStatus HidDevice::readReport(std::span<std::uint8_t> buffer, int timeoutMs,
                                               std::size_t& got) {
    got = 0;
    std::shared_ptr<platform::HidConnection> conn = connection();
    if (!conn)
        return platform::TransferStatus::failed;
    readPending_.store(true, std::memory_order_relaxed);
    const platform::TransferStatus status = conn->readReport(buffer, timeoutMs, abortSignal_, got);
    readPending_.store(false, std::memory_order_relaxed);
    if (status != platform::TransferStatus::completed) {
        got = 0;
        return status;
    }
    if (ReportTrace* trace = trace_.load(std::memory_order_acquire))
        trace->reportRead(buffer.first(std::min(got, buffer.size())));
    return status;
}

void HidDevice::discardPendingInput() {
    if (std::shared_ptr<platform::HidConnection> conn = connection())
        conn->discardPendingInput();
}

void HidDevice::buildInputItems() {
    inputItems_.clear();
    const auto& buttons = caps_.input.buttons;
    for (const platform::ButtonCaps& cap : buttons) {
        InputDataItem item;
        item.isButton = true;
        item.usagePage = cap.usagePage;
        item.reportId = cap.reportId;
        item.usageMin = cap.usageMin;
        item.usageMax = cap.usageMax;
        // The longest list the usage page can yield in one report.
        std::uint32_t length = 0;
        for (const platform::ButtonCaps& other : buttons) {
            if (other.usagePage != cap.usagePage)
                continue;
            length += other.isArray ? other.reportCount
                                    : std::uint32_t(other.usageMax - other.usageMin + 1);
        }
        item.maxUsageListLength = std::min<std::uint32_t>(length, kMaxUsageList);
        item.usages.assign(item.maxUsageListLength, 0);
        inputItems_.push_back(std::move(item));
    }
    for (const platform::ValueCaps& cap : caps_.input.values) {
        for (std::uint32_t u = cap.usageMin; u <= cap.usageMax; ++u) {
            InputDataItem item;
            item.usagePage = cap.usagePage;
            item.reportId = cap.reportId;
            item.usage = std::uint16_t(u);
            inputItems_.push_back(item);
            if (!cap.isRange)
                break;
        }
    }
}

bool HidDevice::decodeInputReport(std::uint16_t usagePageFilter,
                                  std::span<const std::uint8_t> report) {
    if (report.empty())
        return true;
    const std::uint8_t reportId = report[0];
    const auto& buttonCaps = caps_.input.buttons;
    const auto& valueCaps = caps_.input.values;
    std::size_t valueCapIndex = 0;
    std::uint32_t valueUsageIndex = 0;
    for (std::size_t i = 0; i < inputItems_.size(); ++i) {
        InputDataItem& item = inputItems_[i];
        // Items are laid out as all button items, then the value items cap by cap.
        const platform::ValueCaps* valueCap = nullptr;
        if (!item.isButton) {
            while (valueCapIndex < valueCaps.size()) {
                const platform::ValueCaps& vc = valueCaps[valueCapIndex];
                const std::uint32_t count =
                    vc.isRange ? std::uint32_t(vc.usageMax - vc.usageMin + 1) : 1;
                if (valueUsageIndex < count)
                    break;
                ++valueCapIndex;
                valueUsageIndex = 0;
            }
            if (valueCapIndex < valueCaps.size())
                valueCap = &valueCaps[valueCapIndex];
            ++valueUsageIndex;
        }
        if (item.reportId != reportId)
            continue;
        if (usagePageFilter != 0 && item.usagePage != usagePageFilter)
            continue;

        if (item.isButton) {
            std::array<std::uint16_t, kMaxUsageList> active{};
            std::size_t count = 0;
            for (const platform::ButtonCaps& cap : buttonCaps) {
                if (cap.reportId != reportId || cap.usagePage != item.usagePage)
                    continue;
                count += platform::activeUsages(cap, report,
                                                std::span<std::uint16_t>(active).subspan(count));
            }
            std::size_t kept = 0;
            for (std::size_t k = 0; k < count && kept < item.usages.size(); ++k) {
                if (active[k] >= item.usageMin && active[k] <= item.usageMax)
                    item.usages[kept++] = active[k];
            }
            if (kept < item.usages.size())
                item.usages[kept] = 0;
            item.lastStatus = 1;
        } else {
            if (valueCap == nullptr)
                return false;
            const std::optional<std::uint32_t> raw =
                platform::usageValue(*valueCap, item.usage, report);
            if (!raw)
                return false;
            item.rawValue = *raw;
            item.scaledValue =
                platform::scaledUsageValue(*valueCap, item.usage, report).value_or(0);
            item.lastStatus = 1;
        }
        item.dataSet = true;
    }
    return true;
}

}  // namespace quillon::link
