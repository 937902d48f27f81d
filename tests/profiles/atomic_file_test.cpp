#include "platform/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/regular_file.h"
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

TEST(AtomicFile, OnlyOurOwnDeadTemporaryFilesAreSweptUp) {
    TempFolder dir;
    const auto file = dir.path() / "kbProfile.ini";
    // A write killed before its rename leaves its temporary file.
    EXPECT_EXIT(
        { (void)writeFileAtomically(file, bytesOf("x"), [](const auto&) -> bool { ::_exit(3); }); },
        ::testing::ExitedWithCode(3), "");
    // Files of the user's that merely look alike stay.
    for (auto name : {".quillon-abc.tmp", "quillon-abcdef.tmp", ".quillon-abcdef.tmp.bak",
                      ".kbProfile.ini.swp"})
        writeText(dir.path() / name, "keep");
    // A write still in progress (its temporary file locked) is left alone.
    std::size_t sweptDuringWrite = 99;
    ASSERT_EQ(writeFileAtomically(dir.path() / "other.led", bytesOf("y"),
                                  [&](const auto&) {
                                      sweptDuringWrite = removeLeftoverTempFiles(dir.path());
                                      return true;
                                  }),
              FileWriteResult::ok);
    EXPECT_EQ(sweptDuringWrite, 1u) << "only the dead write's file";
    EXPECT_EQ(removeLeftoverTempFiles(dir.path()), 0u);
    std::size_t left = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir.path()))
        left += isTempFileName(e.path().filename().string());
    EXPECT_EQ(left, 0u);
    EXPECT_EQ(readText(dir.path() / ".quillon-abc.tmp"), "keep");
    EXPECT_EQ(readText(dir.path() / "other.led"), "y");
}

TEST(AtomicFile, ANameThatFillsTheFolderLimitStillGetsItsTemporaryFile) {
    TempFolder dir;
    const auto file = dir.path() / std::string(255, 'n');
    EXPECT_EQ(writeFileAtomically(file, bytesOf("x")), FileWriteResult::ok);
    EXPECT_EQ(writeFileAtomically("bare-name.ini", bytesOf("x")), FileWriteResult::cannotCreate);
    EXPECT_FALSE(std::filesystem::exists("bare-name.ini"));
}

TEST(RegularFile, OnlyRegularFilesAreReadAndNothingBlocks) {
    TempFolder dir;
    std::string out = "unchanged";
    EXPECT_EQ(readRegularFile(dir.path() / "absent", out), FileReadResult::missing);
    EXPECT_EQ(readRegularFile(dir.path(), out), FileReadResult::notRegular);
    ASSERT_EQ(::mkfifo((dir.path() / "fifo").c_str(), 0600), 0);
    EXPECT_EQ(readRegularFile(dir.path() / "fifo", out), FileReadResult::notRegular);
    EXPECT_EQ(readRegularFile("/dev/zero", out), FileReadResult::notRegular);
    writeText(dir.path() / "big", std::string(100, 'b'));
    EXPECT_EQ(readRegularFile(dir.path() / "big", out, 99), FileReadResult::tooLarge);
    EXPECT_EQ(out, "unchanged");
    EXPECT_EQ(readRegularFile(dir.path() / "big", out, 100), FileReadResult::ok);
    EXPECT_EQ(out, std::string(100, 'b'));
}

TEST(AtomicFile, PathLocksGiveOneMutexPerPath) {
    PathLocks locks;
    EXPECT_EQ(&locks.lockFor("/a/b.ini"), &locks.lockFor("/a/./b.ini"));
    EXPECT_NE(&locks.lockFor("/a/b.ini"), &locks.lockFor("/a/c.ini"));
}

}  // namespace
}  // namespace quillon::platform
