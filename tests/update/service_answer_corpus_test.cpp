// The seeds of the service answer fuzzer run as ordinary cases: the "good_"
// ones are answers the service gives and must read; the others must read as
// no version and no code, without a crash.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "update/service_answer.h"

namespace quillon::update {
namespace {

TEST(ServiceAnswerCorpus, GoodSeedsReadAndTheRestGiveNothing) {
    const auto folder = std::filesystem::path(QUILLON_SOURCE_DATA_DIR) / ".." / "fuzz" / "corpus" /
                        "service_answer";
    std::size_t seeds = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string answer((std::istreambuf_iterator<char>(in)),
                                 std::istreambuf_iterator<char>());
        const bool good = entry.path().filename().string().starts_with("good_");
        const bool read = answerVersionText(answer) || answerResultCode(answer);
        EXPECT_EQ(read, good) << entry.path();
        ++seeds;
    }
    EXPECT_GE(seeds, 8u);
}

}  // namespace
}  // namespace quillon::update
