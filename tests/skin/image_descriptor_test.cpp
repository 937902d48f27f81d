#include "skin/image_descriptor.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace quillon::skin {
namespace {

TEST(ImageDescriptor, NamesTheFileOfADescriptorOrAPlainName) {
    EXPECT_EQ(imageFile("file='ms/key_left_down.png'"), "ms/key_left_down.png");
    EXPECT_EQ(imageFile("source='0,0,9,9' file='a b.png' corner='2,2,2,2'"), "a b.png");
    EXPECT_EQ(imageFile("common/ocean.png"), "common/ocean.png");
    EXPECT_EQ(imageFile(""), "");
    // Broken or without a file: nothing rather than a name with quotes in it.
    EXPECT_EQ(imageFile("file='ms/key_left_down.png"), "");
    EXPECT_EQ(imageFile("profile='x.png'"), "");
    EXPECT_EQ(imageFile("profile='x.png' file='y.png'"), "y.png");
}

// The fuzz seeds run here too, so every build exercises them.
TEST(ImageDescriptor, EveryFuzzSeedNamesAFileWithoutQuotes) {
    const char* data = std::getenv("QUILLON_SOURCE_DATA_DIR");
    const std::filesystem::path dir =
        std::filesystem::path(data != nullptr ? data : QUILLON_SOURCE_DATA_DIR) / ".." / "fuzz" /
        "corpus" / "image_descriptor";
    int seeds = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string text((std::istreambuf_iterator<char>(in)), {});
        EXPECT_EQ(imageFile(text).find('\''), std::string_view::npos) << entry.path();
        ++seeds;
    }
    EXPECT_GE(seeds, 5);
}

}  // namespace
}  // namespace quillon::skin
