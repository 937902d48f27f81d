// Custom colour set files as tools read them, and the fuzz target's seeds.

#include "lighting/custom_set_text.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#define LLVMFuzzerTestOneInput fuzzCustomSet
#include "../../fuzz/fuzz_custom_set.cpp"
#undef LLVMFuzzerTestOneInput

namespace quillon::lighting {
namespace {

TEST(CustomSetText, ReadsRawBytesAndHexTextAlike) {
    std::string raw(378, '\0');
    std::string hex;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        raw[i] = static_cast<char>(i * 7);
        char digits[4];
        std::snprintf(digits, sizeof digits, "%02X", unsigned(i * 7) & 0xFF);
        hex += digits;
        hex += i % 21 == 20 ? "\r\n" : "\t";
    }
    const auto fromRaw = parseCustomSet(raw);
    const auto fromHex = parseCustomSet(hex);
    ASSERT_TRUE(fromRaw.has_value());
    ASSERT_TRUE(fromHex.has_value());
    EXPECT_EQ(*fromRaw, *fromHex);
    EXPECT_EQ((*fromHex)[377], std::uint8_t(377 * 7));
}

TEST(CustomSetText, RefusesAnythingButExactlyOneSet) {
    EXPECT_FALSE(parseCustomSet(""));
    EXPECT_FALSE(parseCustomSet(std::string(377 * 2, 'a')));      // one byte short
    EXPECT_FALSE(parseCustomSet(std::string(379 * 2, 'a')));      // one byte over
    EXPECT_FALSE(parseCustomSet(std::string(378 * 2 - 1, 'a')));  // half a byte
    EXPECT_FALSE(parseCustomSet(std::string(378 * 2, 'g')));
}

TEST(CustomSetText, FuzzSeedsRunThroughTheTarget) {
    const auto corpus = std::filesystem::path(QUILLON_SOURCE_DATA_DIR).parent_path() / "fuzz" /
                        "corpus" / "custom_set";
    int seeds = 0;
    for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)),
                                std::istreambuf_iterator<char>());
        EXPECT_EQ(fuzzCustomSet(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()),
                  0)
            << entry.path();
        ++seeds;
    }
    EXPECT_GE(seeds, 4);
}

}  // namespace
}  // namespace quillon::lighting
