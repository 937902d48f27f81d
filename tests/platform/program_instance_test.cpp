// Where the program's lock is looked for, and what counts as held, without Qt.

#include "platform/program_instance.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <map>

#include "profiles/temp_folder.h"

namespace quillon::platform {
namespace {

EnvironmentLookup environment(std::map<std::string, std::string> values) {
    return [values](std::string_view name) -> std::optional<std::string> {
        const auto it = values.find(std::string(name));
        return it == values.end() ? std::nullopt : std::optional(it->second);
    };
}

TEST(ProgramInstance, TheLockLiesInTheRuntimeFolderElseInAPerUserTemporaryOne) {
    profiles::testing::TempFolder runtime;
    EXPECT_EQ(programLockFile(environment({{"XDG_RUNTIME_DIR", runtime.path().string()}})),
              runtime.path() / "quillon-gaming.lock");
    const auto fallback = "/tmp/quillon-" + std::to_string(getuid()) + "/quillon-gaming.lock";
    EXPECT_EQ(programLockFile(environment({})), fallback);
    EXPECT_EQ(programLockFile(environment({{"XDG_RUNTIME_DIR", "/no/such/folder"}})), fallback);
}

TEST(ProgramInstance, OnlyALockOfOursThatALiveProcessHoldsIsHeld) {
    profiles::testing::TempFolder folder;
    const auto lock = folder.path() / "quillon-gaming.lock";
    EXPECT_FALSE(lockFileHeld(lock));
    std::ofstream(lock) << getpid() << "\nquillon-gaming\n";
    EXPECT_FALSE(lockFileHeld(lock)) << "a process id alone may be a reused one";

    const int fd = ::open(lock.c_str(), O_RDONLY);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::flock(fd, LOCK_EX), 0);
    EXPECT_TRUE(lockFileHeld(lock));
    ::close(fd);
    EXPECT_FALSE(lockFileHeld(lock));

    const auto fifo = folder.path() / "fifo.lock";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_FALSE(lockFileHeld(fifo));  // returns at once: nothing to open-block on
}

}  // namespace
}  // namespace quillon::platform
