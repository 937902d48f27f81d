// Every seed of the report descriptor fuzzer is a descriptor a real device
// could carry: each must parse, and decoding a report against it must stay
// inside the report.

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "platform/hid/report_descriptor.h"

namespace quillon::platform {
namespace {

std::filesystem::path corpusDir() {
    return std::filesystem::path(QUILLON_SOURCE_DATA_DIR) / ".." / "fuzz" / "corpus" /
           "report_descriptor";
}

TEST(ReportDescriptorCorpus, EverySeedParsesAndDecodes) {
    std::size_t seeds = 0;
    for (const auto& entry : std::filesystem::directory_iterator(corpusDir())) {
        std::ifstream in(entry.path(), std::ios::binary);
        const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                              std::istreambuf_iterator<char>());
        DescriptorError error;
        const auto d = parseReportDescriptor(bytes, &error);
        ASSERT_TRUE(d) << entry.path() << ": " << error.message << " at " << error.offset;
        EXPECT_FALSE(d->collections.empty()) << entry.path();
        for (const TopLevelCollection& c : d->collections) {
            std::vector<std::uint8_t> report(c.inputReportLength, 0xFF);
            if (!report.empty() && !c.reportIds.empty())
                report[0] = c.reportIds.front();
            std::array<std::uint16_t, 32> usages;
            for (const ButtonCaps& b : c.input.buttons)
                EXPECT_LE(activeUsages(b, report, usages), usages.size());
            for (const ValueCaps& v : c.input.values) {
                if (!report.empty() && report[0] == v.reportId && v.reportSize <= 32) {
                    EXPECT_TRUE(usageValue(v, v.usageMin, report)) << entry.path();
                }
            }
        }
        ++seeds;
    }
    EXPECT_GE(seeds, 5u);
}

}  // namespace
}  // namespace quillon::platform
