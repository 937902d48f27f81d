// The macro table image: its layout, its size limits and reading one back.

#include "keys/macro_table_image.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#define LLVMFuzzerTestOneInput fuzzMacroImage
#include "../../fuzz/fuzz_macro_image.cpp"
#undef LLVMFuzzerTestOneInput

namespace quillon::keys {
namespace {

Macro macroOf(std::size_t actions) {
    Macro m{"m", {}};
    for (std::size_t i = 0; i < actions; ++i)
        m.actions.push_back(*parseMacroAction("5,1,138," + std::to_string(4 + i) + ",1,k"));
    return m;
}

TEST(MacroTableImage, ThreeAndNoActionsGiveFortyBytesWithTheirOffsets) {
    const std::vector<Macro> macros{macroOf(3), macroOf(0)};
    const ActionTableBuild build = buildMacroTableImage(macros, 128);
    ASSERT_EQ(build.result, ActionTableResult::ok);
    const std::vector<std::uint8_t> expected{
        0xAA, 0x55, 40, 0, 2, 0, 0,    0, 0, 0, 0,    0, 0, 0, 0,    0,  // header
        20,   0,    36, 0,                                               // offsets
        3,    0,    0,  0, 5, 1, 0x8A, 4, 5, 1, 0x8A, 5, 5, 1, 0x8A, 6,  // first block
        0,    0,    0,  0};                                              // second block
    EXPECT_EQ(build.image, expected);
}

TEST(MacroTableImage, NothingToSendRefusedWhenBeyondTheDeviceOrTheFormat) {
    EXPECT_EQ(buildMacroTableImage({}, 4096).result, ActionTableResult::empty);

    // 16 + 2 + 4 + 4 × 30 = 142 bytes do not fit into 128.
    const std::vector<Macro> big{macroOf(30)};
    const ActionTableBuild tooBig = buildMacroTableImage(big, 128);
    EXPECT_EQ(tooBig.result, ActionTableResult::tooLarge);
    EXPECT_EQ(tooBig.size, 142u);
    EXPECT_TRUE(tooBig.image.empty());

    // A size the 16-bit field cannot state is never wrapped into a small one.
    const std::vector<Macro> huge{macroOf(16380)};
    EXPECT_EQ(buildMacroTableImage(huge, 1u << 20).result, ActionTableResult::tooLarge);
    EXPECT_EQ(buildMacroTableImage(huge, 1u << 20).size, 65542u);

    const std::vector<Macro> fiftyOne(51, macroOf(0));
    EXPECT_EQ(buildMacroTableImage(fiftyOne, 4096).result, ActionTableResult::tooManyLists);
    EXPECT_EQ(buildMacroTableImage(std::span(fiftyOne).first(50), 4096).result,
              ActionTableResult::ok);
}

TEST(MacroTableImage, ReadsBackWhatItBuiltAndRefusesEveryBadField) {
    const std::vector<Macro> macros{macroOf(2), macroOf(1)};
    const std::vector<std::uint8_t> image = buildMacroTableImage(macros, 256).image;
    const auto lists = readActionTableImage(image, 4, 180, 3072);
    ASSERT_TRUE(lists);
    ASSERT_EQ(lists->size(), 2u);
    EXPECT_EQ((*lists)[0][1], macroActionDeviceBytes(macros[0].actions[1]));
    EXPECT_EQ((*lists)[1].size(), 1u);

    auto broken = [&](auto change) {
        std::vector<std::uint8_t> bad = image;
        change(bad);
        return !readActionTableImage(bad, 4, 180, 3072).has_value();
    };
    EXPECT_TRUE(broken([](auto& b) { b[0] = 0; }));                       // magic
    EXPECT_TRUE(broken([](auto& b) { b[2] = 200; }));                     // size beyond the bytes
    EXPECT_TRUE(broken([](auto& b) { b[2] = 8; }));                       // size below the header
    EXPECT_TRUE(broken([](auto& b) { b[4] = 5; }));                       // more lists than allowed
    EXPECT_TRUE(broken([](auto& b) { b[18] = 40; }));                     // block past the end
    EXPECT_TRUE(broken([](auto& b) { b[20] = 9; }));                      // actions past the end
    EXPECT_TRUE(broken([](auto& b) { b.resize(10); }));                   // no header
    EXPECT_FALSE(readActionTableImage(image, 4, 1, 3072));                // too many actions
    EXPECT_FALSE(readActionTableImage(image, 4, 180, image.size() - 1));  // beyond the memory
}

TEST(MacroTableImage, FuzzSeedsRunThroughTheTarget) {
    const auto corpus = std::filesystem::path(QUILLON_SOURCE_DATA_DIR).parent_path() / "fuzz" /
                        "corpus" / "macro_image";
    int seeds = 0;
    for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)),
                                std::istreambuf_iterator<char>());
        EXPECT_EQ(fuzzMacroImage(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()),
                  0)
            << entry.path();
        ++seeds;
    }
    EXPECT_GE(seeds, 4);
}

}  // namespace
}  // namespace quillon::keys
