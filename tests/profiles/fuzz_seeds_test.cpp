// Every seed of the profile-file and INI fuzz corpora runs through the fuzz
// targets themselves (renamed here so both fit in one executable).

#include <gtest/gtest.h>

#include <filesystem>

#include "profiles/temp_folder.h"

#define LLVMFuzzerTestOneInput fuzzProfileFile
#include "../../fuzz/fuzz_profile_file.cpp"
#undef LLVMFuzzerTestOneInput
#define LLVMFuzzerTestOneInput fuzzIni
#include "../../fuzz/fuzz_ini.cpp"
#undef LLVMFuzzerTestOneInput

namespace {

std::filesystem::path corpus(std::string_view name) {
    return std::filesystem::path(QUILLON_SOURCE_DATA_DIR).parent_path() / "fuzz" / "corpus" /
           std::string(name);
}

int runSeeds(std::string_view name, int (*target)(const std::uint8_t*, std::size_t)) {
    int seeds = 0;
    for (const auto& entry : std::filesystem::directory_iterator(corpus(name))) {
        const auto bytes = quillon::profiles::testing::readBytes(entry.path());
        EXPECT_EQ(target(bytes.data(), bytes.size()), 0) << entry.path();
        ++seeds;
    }
    return seeds;
}

TEST(FuzzSeeds, ProfileFileSeedsRunThroughTheTarget) {
    EXPECT_GE(runSeeds("profile_file", fuzzProfileFile), 5);
}

TEST(FuzzSeeds, IniSeedsRunThroughTheTarget) {
    EXPECT_GE(runSeeds("ini", fuzzIni), 5);
}

}  // namespace
