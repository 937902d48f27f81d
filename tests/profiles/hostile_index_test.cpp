// The user's profiles when the index file is not what it should be: there but
// unreadable, huge, or half-written by a run that was killed.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <random>

#include "profiles/profile_fixture.h"
#include "profiles/profile_startup.h"

namespace quillon::profiles {
namespace {

using testing::FreshAccount;
using testing::readBytes;
using testing::readText;
using testing::writeBytes;
using testing::writeText;

namespace fs = std::filesystem;

int rowsOf(skin::MemorySkin& skin, std::string_view combo) {
    return skin.at(combo).rowCount();
}

std::vector<std::string> tempFilesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(folder))
        if (platform::isTempFileName(e.path().filename().string()))
            names.push_back(e.path().filename().string());
    return names;
}

class HostileIndexTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (DeviceKind kind : {DeviceKind::keyboard, DeviceKind::mouse, DeviceKind::mousepad})
            ASSERT_EQ(start(account.skin, kind), ListStartResult::firstRun);
        // The user has made the first profile their own.
        writeBytes(firstProfile(), std::vector<std::uint8_t>(1974, 0x42));
    }
    ListStartResult start(skin::MemorySkin& skin, DeviceKind kind) {
        ProfileRunState run;
        return startProfileLists(account.store, skin, run, kind);
    }
    fs::path kb() const { return account.kv() / "kb"; }
    fs::path index() const { return kb() / "kbProfile.ini"; }
    fs::path firstProfile() const { return kb() / "New Profile 1.led"; }

    // An index that cannot be read: reported, nothing written over the
    // profiles, the other device kinds go on.
    void expectReportedAndUntouched() {
        const auto seedBefore = readBytes(kb() / "Profile.led");
        skin::MemorySkin next;
        EXPECT_EQ(start(next, DeviceKind::keyboard), ListStartResult::unreadableIndex);
        ASSERT_EQ(next.messages().size(), 1u);
        EXPECT_EQ(next.messages()[0].key, "message_text_9");
        EXPECT_EQ(readBytes(firstProfile()), std::vector<std::uint8_t>(1974, 0x42));
        EXPECT_EQ(readBytes(kb() / "Profile.led"), seedBefore);
        EXPECT_EQ(rowsOf(next, "kb_deng_profile_combo"), 0);
        EXPECT_EQ(rowsOf(next, "kb_key_profile_combo"), 0);
        EXPECT_EQ(start(next, DeviceKind::mouse), ListStartResult::filled);
        EXPECT_EQ(rowsOf(next, "ms_deng_profile_combo"), 1);
    }

    FreshAccount account;
};

TEST_F(HostileIndexTest, AFolderInPlaceOfTheIndexIsNoFirstRun) {
    fs::remove(index());
    fs::create_directory(index());
    expectReportedAndUntouched();
    EXPECT_TRUE(fs::is_directory(index()));
}

TEST_F(HostileIndexTest, AFifoInPlaceOfTheIndexNeitherBlocksNorIsAFirstRun) {
    fs::remove(index());
    ASSERT_EQ(::mkfifo(index().c_str(), 0600), 0);
    expectReportedAndUntouched();
    EXPECT_TRUE(fs::is_fifo(index()));
}

TEST_F(HostileIndexTest, AnIndexOfRandomBytesIsNoFirstRun) {
    std::mt19937 random(12);
    std::vector<std::uint8_t> junk(4096);
    for (auto& b : junk)
        b = static_cast<std::uint8_t>(random());
    writeBytes(index(), junk);
    expectReportedAndUntouched();
    EXPECT_EQ(readBytes(index()), junk);
}

TEST_F(HostileIndexTest, ASaveWithAnUnreadableIndexWritesNothing) {
    fs::remove(index());
    fs::create_directory(index());
    KeyboardLightingMemory memory{};
    EXPECT_EQ(saveCurrentProfile(account.store, memory), ProfileSaveResult::writeFailed);
    EXPECT_EQ(readBytes(firstProfile()), std::vector<std::uint8_t>(1974, 0x42));
    EXPECT_EQ(account.store.index(ProfileListId::keyboardLighting).writeSelect(0),
              IniWriteResult::readFailed);
}

TEST_F(HostileIndexTest, AnEmptyIndexIsStillAFirstRun) {
    writeText(index(), "");
    skin::MemorySkin next;
    EXPECT_EQ(start(next, DeviceKind::keyboard), ListStartResult::firstRun);
    EXPECT_EQ(rowsOf(next, "kb_deng_profile_combo"), 1);
}

TEST_F(HostileIndexTest, NothingWritableIsReportedAndNoFirstRunIsClaimed) {
    // The data folder is a file: no profile folder can exist below it.
    FreshAccount blocked;
    writeText(blocked.kv(), "not a folder");
    ProfileRunState run;
    EXPECT_EQ(startProfileLists(blocked.store, blocked.skin, run, DeviceKind::mouse),
              ListStartResult::writeFailed);
    ASSERT_EQ(blocked.skin.messages().size(), 1u);
    EXPECT_EQ(blocked.skin.messages()[0].key, "message_text_20");
    EXPECT_FALSE(run.mouseFirstRun);
    EXPECT_EQ(rowsOf(blocked.skin, "ms_deng_profile_combo"), 0);

    // No Documents folder at all: nothing lands in the current folder.
    platform::FixedUserFolders nowhere("", {account.root.path() / "program"}, "");
    ProfileFolders folders(nowhere);
    IniStore ini;
    skin::MemorySkin skin;
    EXPECT_EQ(startProfileLists({folders, ini}, skin, run, DeviceKind::mousepad),
              ListStartResult::writeFailed);
    EXPECT_FALSE(fs::exists("mpProfile.ini"));
}

// A count far above the names is capped at the names present; reading it
// neither hangs nor grows memory.
TEST_F(HostileIndexTest, AHugeCountIsCappedAtTheNamesPresent) {
    ProfileIndex kbIndex = account.store.index(ProfileListId::keyboardLighting);
    ASSERT_EQ(kbIndex.update([](ListEntries& e) {
        return succeeded(e.writeCount(2147483647)) && succeeded(e.writeName(1, "Second"));
    }),
              IniWriteResult::ok);
    skin::MemorySkin next;
    EXPECT_EQ(start(next, DeviceKind::keyboard), ListStartResult::filled);
    EXPECT_EQ(rowsOf(next, "kb_deng_profile_combo"), 2);
    EXPECT_EQ(kbIndex.count(), 2);
}

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif

TEST_F(HostileIndexTest, TwentyThousandNamesStartWithinASecond) {
    std::string text = "[PROFILEDENGCOUNT]\ncount=20000\n[PROFILEDENGNAME]\n";
    for (int i = 0; i < 20000; ++i)
        text += std::to_string(i) + "=Profile number " + std::to_string(i) + "\n";
    text += "[PROFILEDENGSELECT]\nselect=19999\n[PROFILECOUNT]\ncount=1\n[PROFILENAME]\n0=Keys\n";
    writeText(index(), text);
    skin::MemorySkin next;
    const auto begin = std::chrono::steady_clock::now();
    EXPECT_EQ(start(next, DeviceKind::keyboard), ListStartResult::filled);
    const auto took = std::chrono::steady_clock::now() - begin;
    ASSERT_EQ(rowsOf(next, "kb_deng_profile_combo"), 20000);
    EXPECT_EQ(next.at("kb_deng_profile_combo").row(19999)->userData, "Profile number 19999");
    EXPECT_LT(took, std::chrono::seconds(kSanitized ? 5 : 1));
}

// --- a first run killed at any point

// The index a complete keyboard first run writes.
const std::string kFirstIndex =
    "[PROFILEDENGCOUNT]\ncount=1\n[PROFILELIKEDENGEXE]\n0=0\n[PROFILEDENGNAME]\n0=New Profile 1\n"
    "[PROFILEDENGSELECT]\nselect=0\n[PROFILECOUNT]\ncount=1\n[PROFILELIKEEXE]\n0=0\n"
    "[PROFILENAME]\n0=New Profile 1\n[PROFILESELECT]\nselect=0\n";

TEST(KilledFirstRun, LeavesTheOldStateOrACompleteOneAndNoTemporaryFiles) {
#if defined(__SANITIZE_THREAD__)
    GTEST_SKIP() << "fork under ThreadSanitizer is too slow for 200 runs";
#endif
    // In memory where there is a memory file system: the point is where the
    // kills fall, not how long the disk takes to sync.
    FreshAccount account(fs::is_directory("/dev/shm") ? fs::path("/dev/shm")
                                                      : fs::temp_directory_path());
    const fs::path kb = account.kv() / "kb";
    const fs::path index = kb / "kbProfile.ini";
    auto firstRunInChild = [&](std::chrono::microseconds killAfter) {
        const pid_t child = ::fork();
        if (child == 0) {
            ProfileRunState run;
            skin::MemorySkin skin;
            (void)startProfileLists(account.store, skin, run, DeviceKind::keyboard);
            ::_exit(0);
        }
        if (killAfter.count() >= 0) {
            ::usleep(static_cast<useconds_t>(killAfter.count()));
            ::kill(child, SIGKILL);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
    };

    // How long one whole first run takes, to spread the kills over it.
    const auto begin = std::chrono::steady_clock::now();
    firstRunInChild(std::chrono::microseconds(-1));
    const auto whole = std::chrono::duration_cast<std::chrono::microseconds>(
        std::chrono::steady_clock::now() - begin);
    ASSERT_EQ(readText(index), kFirstIndex);

    std::mt19937 random(2024);
    std::uniform_int_distribution<long> delay(0, whole.count() * 5 / 4);
    int complete = 0;
    for (int run = 0; run < 200; ++run) {
        fs::remove_all(kb);
        firstRunInChild(std::chrono::microseconds(delay(random)));
        std::error_code ec;
        if (fs::exists(index, ec)) {
            ASSERT_EQ(readText(index), kFirstIndex) << "run " << run;
            ++complete;
        }
        // The next start finishes the job and sweeps up what the killed one left.
        ProfileRunState next;
        skin::MemorySkin skin;
        const auto result = startProfileLists(account.store, skin, next, DeviceKind::keyboard);
        ASSERT_TRUE(result == ListStartResult::firstRun || result == ListStartResult::filled);
        ASSERT_EQ(readText(index), kFirstIndex) << "run " << run;
        ASSERT_EQ(readBytes(kb / "New Profile 1.led"),
                  readBytes(account.program("kbdengdefault.led")));
        ASSERT_EQ(readBytes(kb / "New Profile 1.pro"),
                  readBytes(account.program("kbkeydefault.pro")));
        ASSERT_EQ(tempFilesIn(kb), std::vector<std::string>{}) << "run " << run;
    }
    // Both outcomes happened, so the kills really fell inside the runs.
    EXPECT_GT(complete, 0);
    EXPECT_LT(complete, 200);
}

}  // namespace
}  // namespace quillon::profiles
