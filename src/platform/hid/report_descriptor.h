#pragma once

// A small HID report descriptor parser. It turns a descriptor into the
// capabilities of each top-level collection, shaped like the capabilities a
// HID class driver reports (report lengths include the report id byte, button
// and value capabilities with their report ids and bit positions), and decodes
// input reports against them.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace quillon::platform {

enum class ReportKind : std::uint8_t { input, output, feature };

// One main item that reports buttons (1-bit variable fields, or array fields).
struct ButtonCaps {
    std::uint16_t usagePage = 0;
    std::uint8_t reportId = 0;
    bool isRange = false;
    std::uint16_t usageMin = 0;  // equals usageMax when not a range
    std::uint16_t usageMax = 0;
    bool isArray = false;          // array field: each slot holds a usage index
    std::uint32_t bitOffset = 0;   // from the first bit after the report id byte
    std::uint16_t reportSize = 0;  // bits per field
    std::uint16_t reportCount = 0;
    std::int32_t logicalMin = 0;
    std::int32_t logicalMax = 0;
    // Array caps made for one entry of an array item's list of several usages:
    // only slot values logicalMin..logicalMax select its usages. Caps of an
    // array with one usage range take any slot value from logicalMin up, since
    // devices send codes past their declared maximum.
    bool usageListSlice = false;
};

// One main item that reports values.
struct ValueCaps {
    std::uint16_t usagePage = 0;
    std::uint8_t reportId = 0;
    bool isRange = false;
    std::uint16_t usageMin = 0;
    std::uint16_t usageMax = 0;
    std::uint32_t bitOffset = 0;
    std::uint16_t reportSize = 0;
    std::uint16_t reportCount = 0;
    std::int32_t logicalMin = 0;
    std::int32_t logicalMax = 0;
    std::int32_t physicalMin = 0;
    std::int32_t physicalMax = 0;
};

struct ReportCaps {
    std::vector<ButtonCaps> buttons;
    std::vector<ValueCaps> values;
};

struct TopLevelCollection {
    std::uint16_t usagePage = 0;
    std::uint16_t usage = 0;
    // Longest report of each kind in bytes, report id byte included (0 when none).
    std::uint16_t inputReportLength = 0;
    std::uint16_t outputReportLength = 0;
    std::uint16_t featureReportLength = 0;
    std::vector<std::uint8_t> reportIds;  // ids used by this collection (empty: no ids)
    ReportCaps input;
    ReportCaps output;
    ReportCaps feature;

    bool usesReportId(std::uint8_t id) const;
};

struct ReportDescriptor {
    std::vector<TopLevelCollection> collections;
};

struct DescriptorError {
    std::size_t offset = 0;
    std::string message;
};

// Parses a descriptor. Malformed input gives an error, never a crash; every
// count and nesting depth is bounded.
std::optional<ReportDescriptor> parseReportDescriptor(std::span<const std::uint8_t> bytes,
                                                      DescriptorError* error = nullptr);

// The usages of `caps` that are active in `report` (report[0] is the report
// id byte, present whether or not the collection uses ids), in field order.
// Writes at most out.size() usages and returns how many it wrote.
std::size_t activeUsages(const ButtonCaps& caps, std::span<const std::uint8_t> report,
                         std::span<std::uint16_t> out);

// The raw value of one usage of `caps` in `report`; nullopt when the usage is
// not part of the caps or the report is too short.
std::optional<std::uint32_t> usageValue(const ValueCaps& caps, std::uint16_t usage,
                                        std::span<const std::uint8_t> report);

// The value scaled to the physical range (the logical value when no physical
// range is given); nullopt as above.
std::optional<std::int32_t> scaledUsageValue(const ValueCaps& caps, std::uint16_t usage,
                                             std::span<const std::uint8_t> report);

}  // namespace quillon::platform
