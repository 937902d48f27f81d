#include "platform/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "profiles/temp_folder.h"

namespace quillon::platform {
namespace {

using profiles::testing::readText;
using profiles::testing::TempFolder;
using profiles::testing::writeText;

std::span<const std::uint8_t> bytesOf(const std::string& s) {
    return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

TEST(AtomicFile, ReplacesTheWholeFileAndKeepsItsPermissions) {
    TempFolder dir;
    const auto file = dir.path() / "kbProfile.ini";
    writeText(file, "old content that is longer than the new");
    ::chmod(file.c_str(), 0640);
    const std::string fresh = "new";
    ASSERT_EQ(writeFileAtomically(file, bytesOf(fresh)), FileWriteResult::ok);
    EXPECT_EQ(readText(file), "new");
    struct stat st {};
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
}

TEST(AtomicFile, AWriteInterruptedBeforeItsRenameLeavesTheOldFileIntact) {
    TempFolder dir;
    const auto file = dir.path() / "New Profile 1.led";
    writeText(file, "the user's profile");
    const std::string fresh(4096, 'x');

    // Stopped by the hook: the old file is as it was.
    EXPECT_EQ(writeFileAtomically(file, bytesOf(fresh), [](const auto&) { return false; }),
              FileWriteResult::interrupted);
    EXPECT_EQ(readText(file), "the user's profile");

    // A process that dies at that point (the data written and synced, not yet renamed).
    EXPECT_EXIT(
        {
            (void)writeFileAtomically(file, bytesOf(fresh), [](const std::filesystem::path& temp) {
                if (std::filesystem::file_size(temp) == 4096)
                    ::_exit(7);
                return true;
            });
            ::_exit(0);
        },
        ::testing::ExitedWithCode(7), "");
    EXPECT_EQ(readText(file), "the user's profile");
}

TEST(AtomicFile, AMissingFolderIsReportedNotCreated) {
    TempFolder dir;
    const auto file = dir.path() / "absent" / "x.ini";
    EXPECT_EQ(writeFileAtomically(file, bytesOf("x")), FileWriteResult::cannotCreate);
    EXPECT_FALSE(std::filesystem::exists(file.parent_path()));
}

TEST(AtomicFile, PathLocksGiveOneMutexPerPath) {
    PathLocks locks;
    EXPECT_EQ(&locks.lockFor("/a/b.ini"), &locks.lockFor("/a/./b.ini"));
    EXPECT_NE(&locks.lockFor("/a/b.ini"), &locks.lockFor("/a/c.ini"));
}

}  // namespace
}  // namespace quillon::platform
