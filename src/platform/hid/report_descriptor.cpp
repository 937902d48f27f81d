#include "platform/hid/report_descriptor.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <limits>

namespace quillon::platform {
namespace {

// Bounds on everything a descriptor can make grow. The descriptor and report
// sizes are the kernel's own limits, so nothing a real device sends is refused.
constexpr std::size_t kMaxDescriptorBytes = 4096;
constexpr int kMaxCollectionDepth = 32;
constexpr std::size_t kMaxTopLevelCollections = 64;
constexpr std::size_t kMaxGlobalStack = 16;
constexpr std::size_t kMaxLocalUsages = 1024;
constexpr std::size_t kMaxCaps = 4096;
constexpr std::uint32_t kMaxReportSize = 256;     // bits per field
constexpr std::uint32_t kMaxReportCount = 12288;  // fields per main item
constexpr std::uint32_t kMaxReportBytes = 16384;  // report id byte included
constexpr std::uint64_t kMaxReportBits = std::uint64_t(kMaxReportBytes - 1) * 8;

enum ItemType : std::uint8_t { kMain = 0, kGlobal = 1, kLocal = 2, kReserved = 3 };

enum MainTag : std::uint8_t {
    kInput = 0x8,
    kOutput = 0x9,
    kCollection = 0xA,
    kFeature = 0xB,
    kEndCollection = 0xC,
};

enum GlobalTag : std::uint8_t {
    kUsagePage = 0x0,
    kLogicalMin = 0x1,
    kLogicalMax = 0x2,
    kPhysicalMin = 0x3,
    kPhysicalMax = 0x4,
    kReportSize = 0x7,
    kReportId = 0x8,
    kReportCount = 0x9,
    kPush = 0xA,
    kPop = 0xB,
};

enum LocalTag : std::uint8_t {
    kUsage = 0x0,
    kUsageMin = 0x1,
    kUsageMax = 0x2,
    kDelimiter = 0xA,
};

constexpr std::uint8_t kLongItemPrefix = 0xFE;
constexpr std::uint32_t kMainConstant = 0x01;
constexpr std::uint32_t kMainVariable = 0x02;

struct Globals {
    std::uint16_t usagePage = 0;
    std::int32_t logicalMin = 0;
    std::int32_t logicalMaxSigned = 0;
    std::uint32_t logicalMaxUnsigned = 0;
    std::int32_t physicalMin = 0;
    std::int32_t physicalMaxSigned = 0;
    std::uint32_t physicalMaxUnsigned = 0;
    std::uint32_t reportSize = 0;
    std::uint32_t reportCount = 0;
    std::uint8_t reportId = 0;
};

struct UsageEntry {
    std::uint16_t page = 0;
    std::uint16_t min = 0;
    std::uint16_t max = 0;
    bool range = false;
};

struct ExtendedUsage {
    std::uint16_t page = 0;
    std::uint16_t id = 0;
};

struct Locals {
    std::vector<UsageEntry> usages;
    std::optional<ExtendedUsage> pendingMin;
    std::optional<ExtendedUsage> pendingMax;
    bool inDelimiter = false;
    bool delimiterTaken = false;

    void clear() {
        usages.clear();
        pendingMin.reset();
        pendingMax.reset();
        inDelimiter = false;
        delimiterTaken = false;
    }
};

// A top-level collection being built, with the report ids it used per kind.
struct CollectionBuilder {
    TopLevelCollection tlc;
    std::array<std::bitset<256>, 3> idsByKind;
};

// Devices write 0xFF as a 1-byte Logical Maximum meaning 255; a class driver
// reads the maximum unsigned when the minimum is not negative.
std::int32_t effectiveMax(std::int32_t min, std::int32_t maxSigned, std::uint32_t maxUnsigned) {
    if (min >= 0 && maxSigned < 0)
        return std::int32_t(
            std::min<std::uint32_t>(maxUnsigned, std::numeric_limits<std::int32_t>::max()));
    return maxSigned;
}

class Parser {
  public:
    explicit Parser(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::optional<ReportDescriptor> run(DescriptorError* error);

  private:
    bool fail(std::size_t offset, const char* message) {
        errorOffset_ = offset;
        errorMessage_ = message;
        return false;
    }

    bool shortItem(std::uint8_t type, std::uint8_t tag, std::uint32_t data, std::size_t size,
                   std::size_t offset);
    bool mainItem(std::uint8_t tag, std::uint32_t data, std::size_t offset);
    bool globalItem(std::uint8_t tag, std::uint32_t data, std::size_t size, std::size_t offset);
    bool localItem(std::uint8_t tag, std::uint32_t data, std::size_t size, std::size_t offset);
    bool dataItem(ReportKind kind, std::uint32_t flags, std::size_t offset);
    bool addVariableCaps(ReportCaps& caps, bool buttons, std::uint32_t firstBit,
                         std::size_t offset);
    bool addArrayCaps(ReportCaps& caps, std::uint32_t firstBit, std::size_t offset);
    void flushUsageRange();
    bool addUsage(const UsageEntry& entry, std::size_t offset);
    bool finish(ReportDescriptor& out);

    std::span<const std::uint8_t> bytes_;
    Globals globals_;
    std::vector<Globals> globalStack_;
    Locals locals_;
    std::vector<CollectionBuilder> collections_;
    int depth_ = 0;
    bool inTopLevel_ = false;
    std::size_t capsCount_ = 0;
    bool anyReportId_ = false;
    bool anyItemWithoutId_ = false;
    std::array<std::array<std::uint32_t, 256>, 3> reportBits_{};
    std::size_t errorOffset_ = 0;
    const char* errorMessage_ = "";
};

std::optional<ReportDescriptor> Parser::run(DescriptorError* error) {
    auto failed = [&]() -> std::optional<ReportDescriptor> {
        if (error) {
            error->offset = errorOffset_;
            error->message = errorMessage_;
        }
        return std::nullopt;
    };
    if (bytes_.size() > kMaxDescriptorBytes) {
        fail(kMaxDescriptorBytes, "descriptor longer than 4096 bytes");
        return failed();
    }
    std::size_t pos = 0;
    while (pos < bytes_.size()) {
        const std::size_t offset = pos;
        const std::uint8_t prefix = bytes_[pos];
        if (prefix == kLongItemPrefix) {
            // Long items carry no meaning a class driver uses: skip them whole.
            if (pos + 3 > bytes_.size()) {
                fail(offset, "truncated long item");
                return failed();
            }
            const std::size_t size = bytes_[pos + 1];
            if (pos + 3 + size > bytes_.size()) {
                fail(offset, "truncated long item");
                return failed();
            }
            pos += 3 + size;
            continue;
        }
        const std::size_t sizeCode = prefix & 0x03u;
        const std::size_t size = sizeCode == 3 ? 4 : sizeCode;
        if (pos + 1 + size > bytes_.size()) {
            fail(offset, "truncated item");
            return failed();
        }
        std::uint32_t data = 0;
        for (std::size_t i = 0; i < size; ++i)
            data |= std::uint32_t(bytes_[pos + 1 + i]) << (8 * i);
        const std::uint8_t type = (prefix >> 2) & 0x03u;
        const std::uint8_t tag = prefix >> 4;
        pos += 1 + size;
        if (!shortItem(type, tag, data, size, offset))
            return failed();
    }
    if (depth_ != 0) {
        fail(bytes_.size(), "collection not closed");
        return failed();
    }
    ReportDescriptor out;
    if (!finish(out))
        return failed();
    return out;
}

bool Parser::shortItem(std::uint8_t type, std::uint8_t tag, std::uint32_t data, std::size_t size,
                       std::size_t offset) {
    switch (type) {
        case kMain:
            return mainItem(tag, data, offset);
        case kGlobal:
            return globalItem(tag, data, size, offset);
        case kLocal:
            return localItem(tag, data, size, offset);
        default:
            return true;  // reserved item type: nothing to take from it
    }
}

std::int32_t signExtend(std::uint32_t data, std::size_t size) {
    switch (size) {
        case 1:
            return std::int8_t(data);
        case 2:
            return std::int16_t(data);
        case 4:
            return std::int32_t(data);
        default:
            return 0;
    }
}

bool Parser::globalItem(std::uint8_t tag, std::uint32_t data, std::size_t size,
                        std::size_t offset) {
    switch (tag) {
        case kUsagePage:
            globals_.usagePage = std::uint16_t(data);
            return true;
        case kLogicalMin:
            globals_.logicalMin = signExtend(data, size);
            return true;
        case kLogicalMax:
            globals_.logicalMaxSigned = signExtend(data, size);
            globals_.logicalMaxUnsigned = data;
            return true;
        case kPhysicalMin:
            globals_.physicalMin = signExtend(data, size);
            return true;
        case kPhysicalMax:
            globals_.physicalMaxSigned = signExtend(data, size);
            globals_.physicalMaxUnsigned = data;
            return true;
        case kReportSize:
            if (data > kMaxReportSize)
                return fail(offset, "report size above 256 bits");
            globals_.reportSize = data;
            return true;
        case kReportId:
            if (data == 0 || data > 0xFF)
                return fail(offset, "report id outside 1..255");
            globals_.reportId = std::uint8_t(data);
            return true;
        case kReportCount:
            if (data > kMaxReportCount)
                return fail(offset, "report count too large");
            globals_.reportCount = data;
            return true;
        case kPush:
            if (globalStack_.size() >= kMaxGlobalStack)
                return fail(offset, "push nested too deep");
            globalStack_.push_back(globals_);
            return true;
        case kPop:
            if (globalStack_.empty())
                return fail(offset, "pop without push");
            globals_ = globalStack_.back();
            globalStack_.pop_back();
            return true;
        default:
            return true;  // units, exponents and reserved tags do not shape the caps
    }
}

bool Parser::addUsage(const UsageEntry& entry, std::size_t offset) {
    // Of a delimited set of alternative usages only the first counts.
    if (locals_.inDelimiter) {
        if (locals_.delimiterTaken)
            return true;
        locals_.delimiterTaken = true;
    }
    if (locals_.usages.size() >= kMaxLocalUsages)
        return fail(offset, "too many usages");
    locals_.usages.push_back(entry);
    return true;
}

bool Parser::localItem(std::uint8_t tag, std::uint32_t data, std::size_t size, std::size_t offset) {
    // A 4-byte usage carries its own page in the high 16 bits.
    const ExtendedUsage usage{size == 4 ? std::uint16_t(data >> 16) : globals_.usagePage,
                              std::uint16_t(data)};
    switch (tag) {
        case kUsage:
            return addUsage(UsageEntry{usage.page, usage.id, usage.id, false}, offset);
        case kUsageMin:
            locals_.pendingMin = usage;
            break;
        case kUsageMax:
            locals_.pendingMax = usage;
            break;
        case kDelimiter:
            if (data == 1) {
                if (locals_.inDelimiter)
                    return fail(offset, "nested delimiter");
                locals_.inDelimiter = true;
                locals_.delimiterTaken = false;
            } else if (data == 0) {
                if (!locals_.inDelimiter)
                    return fail(offset, "delimiter close without open");
                locals_.inDelimiter = false;
            }
            return true;
        default:
            return true;  // designators and strings do not shape the caps
    }
    if (locals_.pendingMin && locals_.pendingMax) {
        const ExtendedUsage min = *locals_.pendingMin;
        const ExtendedUsage max = *locals_.pendingMax;
        locals_.pendingMin.reset();
        locals_.pendingMax.reset();
        if (min.id > max.id)
            return fail(offset, "usage minimum above usage maximum");
        return addUsage(UsageEntry{min.page, min.id, max.id, true}, offset);
    }
    return true;
}

// A lone Usage Minimum or Maximum left at a main item stands for one usage.
void Parser::flushUsageRange() {
    for (auto* lone : {&locals_.pendingMin, &locals_.pendingMax}) {
        if (*lone && locals_.usages.size() < kMaxLocalUsages)
            locals_.usages.push_back(UsageEntry{(*lone)->page, (*lone)->id, (*lone)->id, false});
        lone->reset();
    }
}

bool Parser::mainItem(std::uint8_t tag, std::uint32_t data, std::size_t offset) {
    flushUsageRange();
    bool ok = true;
    switch (tag) {
        case kInput:
            ok = dataItem(ReportKind::input, data, offset);
            break;
        case kOutput:
            ok = dataItem(ReportKind::output, data, offset);
            break;
        case kFeature:
            ok = dataItem(ReportKind::feature, data, offset);
            break;
        case kCollection:
            if (depth_ >= kMaxCollectionDepth)
                return fail(offset, "collections nested too deep");
            if (depth_ == 0) {
                if (collections_.size() >= kMaxTopLevelCollections)
                    return fail(offset, "too many top-level collections");
                CollectionBuilder builder;
                if (!locals_.usages.empty()) {
                    builder.tlc.usagePage = locals_.usages.front().page;
                    builder.tlc.usage = locals_.usages.front().min;
                }
                collections_.push_back(std::move(builder));
                inTopLevel_ = true;
            }
            ++depth_;
            break;
        case kEndCollection:
            if (depth_ == 0)
                return fail(offset, "end collection without collection");
            if (--depth_ == 0)
                inTopLevel_ = false;
            break;
        default:
            break;  // reserved main tags carry nothing
    }
    locals_.clear();
    return ok;
}

bool Parser::dataItem(ReportKind kind, std::uint32_t flags, std::size_t offset) {
    if (!inTopLevel_)
        return fail(offset, "main item outside a collection");
    const std::uint64_t fieldBits = std::uint64_t(globals_.reportSize) * globals_.reportCount;
    if (fieldBits == 0)
        return true;

    const std::uint8_t id = globals_.reportId;
    (id != 0 ? anyReportId_ : anyItemWithoutId_) = true;
    const auto k = std::size_t(kind);
    std::uint32_t& bits = reportBits_[k][id];
    const std::uint32_t firstBit = bits;
    if (bits + fieldBits > kMaxReportBits)
        return fail(offset, "report longer than 16384 bytes");
    bits += std::uint32_t(fieldBits);

    CollectionBuilder& builder = collections_.back();
    builder.idsByKind[k].set(id);
    // Constant fields are padding: they take room in the report but report nothing.
    if (flags & kMainConstant)
        return true;

    ReportCaps& caps = kind == ReportKind::input    ? builder.tlc.input
                       : kind == ReportKind::output ? builder.tlc.output
                                                    : builder.tlc.feature;
    if (!(flags & kMainVariable))
        return addArrayCaps(caps, firstBit, offset);
    return addVariableCaps(caps, globals_.reportSize == 1, firstBit, offset);
}

// Variable fields take the declared usages in order, one field per usage; the
// last usage (or range) takes every field left over.
bool Parser::addVariableCaps(ReportCaps& caps, bool buttons, std::uint32_t firstBit,
                             std::size_t offset) {
    const std::uint32_t count = globals_.reportCount;
    const std::int32_t logicalMax =
        effectiveMax(globals_.logicalMin, globals_.logicalMaxSigned, globals_.logicalMaxUnsigned);
    const std::int32_t physicalMax = effectiveMax(globals_.physicalMin, globals_.physicalMaxSigned,
                                                  globals_.physicalMaxUnsigned);
    const UsageEntry noUsage{};
    const std::span<const UsageEntry> usages = locals_.usages.empty()
                                                   ? std::span<const UsageEntry>(&noUsage, 1)
                                                   : std::span<const UsageEntry>(locals_.usages);

    std::uint32_t field = 0;
    for (std::size_t i = 0; i < usages.size() && field < count; ++i) {
        const UsageEntry& u = usages[i];
        std::uint32_t n = u.range ? std::uint32_t(u.max - u.min) + 1 : 1;
        if (i + 1 == usages.size() || n > count - field)
            n = count - field;
        if (++capsCount_ > kMaxCaps)
            return fail(offset, "too many capabilities");
        const std::uint32_t bitOffset = firstBit + field * globals_.reportSize;
        if (buttons) {
            ButtonCaps b;
            b.usagePage = u.page;
            b.reportId = globals_.reportId;
            b.isRange = u.range;
            b.usageMin = u.min;
            b.usageMax = u.max;
            b.bitOffset = bitOffset;
            b.reportSize = std::uint16_t(globals_.reportSize);
            b.reportCount = std::uint16_t(n);
            b.logicalMin = globals_.logicalMin;
            b.logicalMax = logicalMax;
            caps.buttons.push_back(b);
        } else {
            ValueCaps v;
            v.usagePage = u.page;
            v.reportId = globals_.reportId;
            v.isRange = u.range;
            v.usageMin = u.min;
            v.usageMax = u.max;
            v.bitOffset = bitOffset;
            v.reportSize = std::uint16_t(globals_.reportSize);
            v.reportCount = std::uint16_t(n);
            v.logicalMin = globals_.logicalMin;
            v.logicalMax = logicalMax;
            v.physicalMin = globals_.physicalMin;
            v.physicalMax = physicalMax;
            caps.values.push_back(v);
        }
        field += n;
    }
    return true;
}

// Every slot of an array field holds an index into the item's usages. With one
// usage range the caps keep the declared logical range; with several, each gets
// the slice of logical values that selects its usages, so that decoding is
// always usageMin + (value - logicalMin).
bool Parser::addArrayCaps(ReportCaps& caps, std::uint32_t firstBit, std::size_t offset) {
    if (locals_.usages.empty())
        return true;  // no usage to report
    const std::int32_t logicalMax =
        effectiveMax(globals_.logicalMin, globals_.logicalMaxSigned, globals_.logicalMaxUnsigned);
    const bool single = locals_.usages.size() == 1;
    std::int64_t index = globals_.logicalMin;
    for (const UsageEntry& u : locals_.usages) {
        const std::int64_t n = std::int64_t(u.max) - u.min + 1;
        if (index + n - 1 > std::numeric_limits<std::int32_t>::max())
            return fail(offset, "array usages beyond the logical range");
        if (++capsCount_ > kMaxCaps)
            return fail(offset, "too many capabilities");
        ButtonCaps b;
        b.usagePage = u.page;
        b.reportId = globals_.reportId;
        b.isRange = u.range;
        b.usageMin = u.min;
        b.usageMax = u.max;
        b.isArray = true;
        b.bitOffset = firstBit;
        b.reportSize = std::uint16_t(globals_.reportSize);
        b.reportCount = std::uint16_t(globals_.reportCount);
        b.logicalMin = single ? globals_.logicalMin : std::int32_t(index);
        b.logicalMax = single ? logicalMax : std::int32_t(index + n - 1);
        b.usageListSlice = !single;
        caps.buttons.push_back(b);
        index += n;
    }
    return true;
}

bool Parser::finish(ReportDescriptor& out) {
    // A class driver cannot tell id-less reports from numbered ones.
    if (anyReportId_ && anyItemWithoutId_)
        return fail(bytes_.size(), "items without report id next to numbered reports");
    out.collections.reserve(collections_.size());
    for (CollectionBuilder& b : collections_) {
        std::bitset<256> all;
        std::array<std::uint16_t*, 3> lengths{&b.tlc.inputReportLength, &b.tlc.outputReportLength,
                                              &b.tlc.featureReportLength};
        for (std::size_t k = 0; k < 3; ++k) {
            all |= b.idsByKind[k];
            std::uint32_t longest = 0;
            for (std::size_t id = 0; id < 256; ++id) {
                if (!b.idsByKind[k].test(id))
                    continue;
                longest = std::max(longest, 1 + (reportBits_[k][id] + 7) / 8);
            }
            *lengths[k] = std::uint16_t(longest);
        }
        for (std::size_t id = 1; id < 256; ++id)
            if (all.test(id))
                b.tlc.reportIds.push_back(std::uint8_t(id));
        out.collections.push_back(std::move(b.tlc));
    }
    return true;
}

// Reads `size` (1..32) bits at `bitOffset` after the report id byte, least
// significant bit first; false when the report is too short.
bool readField(std::span<const std::uint8_t> report, std::uint64_t bitOffset, std::uint32_t size,
               std::uint32_t& out) {
    if (size == 0 || size > 32)
        return false;
    const std::uint64_t lastBit = bitOffset + size - 1;
    if (1 + lastBit / 8 >= report.size())
        return false;
    std::uint64_t value = 0;
    const std::size_t firstByte = 1 + std::size_t(bitOffset / 8);
    const std::size_t lastByte = 1 + std::size_t(lastBit / 8);
    for (std::size_t i = lastByte + 1; i-- > firstByte;)
        value = (value << 8) | report[i];
    value >>= bitOffset % 8;
    out = std::uint32_t(value & ((std::uint64_t(1) << size) - 1));
    return true;
}

std::int64_t toLogical(std::uint32_t raw, std::uint32_t size, std::int32_t logicalMin) {
    // Fields are signed only when their logical range reaches below zero.
    if (logicalMin < 0 && size < 32 && (raw >> (size - 1)) & 1u)
        return std::int64_t(raw) - (std::int64_t(1) << size);
    if (logicalMin < 0 && size == 32)
        return std::int32_t(raw);
    return raw;
}

// Index of the field that carries `usage` in `caps`, or nullopt.
std::optional<std::uint32_t> fieldOf(const ValueCaps& caps, std::uint16_t usage) {
    if (usage < caps.usageMin || usage > caps.usageMax)
        return std::nullopt;
    const std::uint32_t index = std::uint32_t(usage - caps.usageMin);
    if (index >= caps.reportCount)
        return std::nullopt;
    return index;
}

std::optional<std::uint32_t> rawValue(const ValueCaps& caps, std::uint16_t usage,
                                      std::span<const std::uint8_t> report) {
    if (report.empty() || report[0] != caps.reportId)
        return std::nullopt;
    const auto field = fieldOf(caps, usage);
    if (!field)
        return std::nullopt;
    std::uint32_t raw = 0;
    if (!readField(report, caps.bitOffset + std::uint64_t(*field) * caps.reportSize,
                   caps.reportSize, raw))
        return std::nullopt;
    return raw;
}

}  // namespace

bool TopLevelCollection::usesReportId(std::uint8_t id) const {
    if (reportIds.empty())
        return id == 0;
    return std::binary_search(reportIds.begin(), reportIds.end(), id);
}

std::optional<ReportDescriptor> parseReportDescriptor(std::span<const std::uint8_t> bytes,
                                                      DescriptorError* error) {
    return Parser(bytes).run(error);
}

std::size_t activeUsages(const ButtonCaps& caps, std::span<const std::uint8_t> report,
                         std::span<std::uint16_t> out) {
    if (report.empty() || report[0] != caps.reportId)
        return 0;
    std::size_t written = 0;
    for (std::uint32_t i = 0; i < caps.reportCount && written < out.size(); ++i) {
        std::uint32_t raw = 0;
        if (!readField(report, caps.bitOffset + std::uint64_t(i) * caps.reportSize, caps.reportSize,
                       raw))
            break;
        std::uint32_t usage = 0;
        if (caps.isArray) {
            const std::int64_t value = toLogical(raw, caps.reportSize, caps.logicalMin);
            if (value < caps.logicalMin)
                continue;
            if (caps.usageListSlice && value > caps.logicalMax)
                continue;
            const std::int64_t u = std::int64_t(caps.usageMin) + (value - caps.logicalMin);
            if (u > 0xFFFF)
                continue;
            usage = std::uint32_t(u);
        } else {
            if (raw == 0)
                continue;
            usage = std::min<std::uint32_t>(caps.usageMin + i, caps.usageMax);
        }
        if (usage == 0)
            continue;  // usage 0 means "no usage"
        out[written++] = std::uint16_t(usage);
    }
    return written;
}

std::optional<std::uint32_t> usageValue(const ValueCaps& caps, std::uint16_t usage,
                                        std::span<const std::uint8_t> report) {
    return rawValue(caps, usage, report);
}

std::optional<std::int32_t> scaledUsageValue(const ValueCaps& caps, std::uint16_t usage,
                                             std::span<const std::uint8_t> report) {
    const auto raw = rawValue(caps, usage, report);
    if (!raw)
        return std::nullopt;
    const std::int64_t value = toLogical(*raw, caps.reportSize, caps.logicalMin);
    if (caps.physicalMin == 0 && caps.physicalMax == 0)
        return std::int32_t(value);
    // Outside the logical range a field holds "no value" (a null state).
    if (value < caps.logicalMin || value > caps.logicalMax)
        return std::nullopt;
    if (caps.logicalMax == caps.logicalMin)
        return caps.physicalMin;
    const std::int64_t scaled =
        caps.physicalMin + (value - caps.logicalMin) *
                               (std::int64_t(caps.physicalMax) - caps.physicalMin) /
                               (std::int64_t(caps.logicalMax) - caps.logicalMin);
    return std::int32_t(std::clamp<std::int64_t>(scaled, std::numeric_limits<std::int32_t>::min(),
                                                 std::numeric_limits<std::int32_t>::max()));
}

}  // namespace quillon::platform
