// End to end on a private X server: a linked program takes the foreground,
// the mousepad gets the linked profile, and gets the user's own back when the
// program leaves. The "program" is this test binary started again as a helper
// that owns a window and makes it the active one, as a window manager would.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "platform/foreground/x11_foreground.h"
#include "profiles/profile_file.h"
#include "program_rig.h"
#include "x11_active_window.h"

extern char** environ;

namespace quillon::app {
namespace {

using namespace std::chrono_literals;
using profiles::ProfileListId;
using testing::Clock;

constexpr const char* kHelperDisplay = "QUILLON_FOREGROUND_HELPER_DISPLAY";

// Run only as the helper: a window of this process is active until stdin ends.
TEST(ForegroundHelper, DISABLED_HoldsTheForeground) {
    const char* name = std::getenv(kHelperDisplay);
    if (name == nullptr)
        GTEST_SKIP() << "started by the foreground test only";
    EXPECT_TRUE(testing::holdActiveWindowUntilInputEnds(name));
}

std::string selfExecutable() {
    return platform::processExecutable(static_cast<long>(::getpid()));
}

// A child process we started, ended and reaped by its id.
struct Child {
    pid_t pid = -1;
    int pipe = -1;  // our end of the pipe the child reads or writes
    ~Child() { stop(); }
    // Closing the pipe asks the child to end; it gets two seconds before SIGTERM.
    void stop() {
        if (pipe >= 0)
            ::close(pipe);
        pipe = -1;
        if (pid <= 0)
            return;
        const auto end = Clock::now() + 2s;
        while (::waitpid(pid, nullptr, WNOHANG) == 0) {
            if (Clock::now() > end) {
                ::kill(pid, SIGTERM);
                ::waitpid(pid, nullptr, 0);
                break;
            }
            std::this_thread::sleep_for(5ms);
        }
        pid = -1;
    }
};

// Xvfb on a free display number it picks itself; empty when it cannot start.
std::string startXvfb(Child& server) {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0)
        return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], 3);
    std::vector<std::string> words{"Xvfb", "-displayfd", "3",         "-screen",
                                   "0",    "320x240x24", "-nolisten", "tcp"};
    std::vector<char*> argv;
    for (std::string& w : words)
        argv.push_back(w.data());
    argv.push_back(nullptr);
    const int spawned = posix_spawnp(&server.pid, "Xvfb", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(fds[1]);
    if (spawned != 0) {
        server.pid = -1;
        ::close(fds[0]);
        return {};
    }
    std::string number;
    char c;
    while (::read(fds[0], &c, 1) == 1 && c != '\n')
        number += c;
    ::close(fds[0]);
    return number.empty() ? std::string() : ":" + number;
}

void startHelper(Child& helper, const std::string& display) {
    int fds[2];
    ASSERT_EQ(::pipe2(fds, O_CLOEXEC), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[0], 0);
    std::string self = selfExecutable();
    std::string filter = "--gtest_filter=ForegroundHelper.DISABLED_HoldsTheForeground";
    std::string disabled = "--gtest_also_run_disabled_tests";
    char* argv[] = {self.data(), filter.data(), disabled.data(), nullptr};
    std::vector<std::string> env{std::string(kHelperDisplay) + "=" + display};
    for (char** e = environ; *e != nullptr; ++e)
        env.emplace_back(*e);
    std::vector<char*> envp;
    for (std::string& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    ASSERT_EQ(posix_spawn(&helper.pid, self.c_str(), &actions, nullptr, argv, envp.data()), 0);
    posix_spawn_file_actions_destroy(&actions);
    ::close(fds[0]);
    helper.pipe = fds[1];
}

struct ForegroundLink : ::testing::Test {
    void SetUp() override {
        display = startXvfb(server);
        if (display.empty())
            GTEST_SKIP() << "no Xvfb to run a private X server";
        foreground = std::make_unique<platform::X11ForegroundProgram>(display);
        ASSERT_TRUE(foreground->available());
        rig = std::make_unique<testing::ProgramRig>(foreground.get());
        rig->app.windowInit();
    }
    void TearDown() override {
        rig.reset();
        foreground.reset();  // before its server goes
        if (server.pid > 0)
            ::kill(server.pid, SIGTERM);
    }

    Child server;
    std::string display;
    std::unique_ptr<platform::X11ForegroundProgram> foreground;
    std::unique_ptr<testing::ProgramRig> rig;
};

TEST_F(ForegroundLink, ALinkedProgramInFrontSwitchesTheMousepadAndLeavingSwitchesBack) {
    skin::MemorySkin& skin = rig->skin;
    const profiles::ProfileStore& store = rig->services->profileStore();
    const auto contentOf = [&](std::string_view name) {
        return store.index(ProfileListId::mousepadLighting).contentPath(name);
    };
    // A second mousepad profile with another mode, linked to the helper program.
    std::vector<std::uint8_t> record(profiles::kMousepadLightingRecordSize);
    ASSERT_EQ(profiles::readProfileFile(contentOf("New Profile 1"), record),
              profiles::ProfileReadResult::ok);
    const std::uint8_t ownMode = record[1];
    const std::uint8_t linkedMode = ownMode == 1 ? 2 : 1;
    skin.userClick("mp_pro_deng_add_btn");
    record[1] = linkedMode;
    ASSERT_TRUE(platform::succeeded(
        profiles::writeProfileFile(contentOf("New Profile 2"), record, 3, store.ini.locks())));
    skin.queueFileAnswer(std::filesystem::path(selfExecutable()));
    skin.userCheck("mp_deng_profile_link_check", true);
    ASSERT_TRUE(rig->services->linkWatchers().running(ProfileListId::mousepadLighting));
    skin.userSelectRow("mp_deng_profile_combo", 0);

    auto pad = rig->bus.plug(0x5104);
    const auto deviceMode = [&] {
        return pad->inspect([](const auto& f) { return f.slotRecord(0)[1]; });
    };
    ASSERT_TRUE(rig->pumpUntil([&] { return deviceMode() == ownMode; }, 8s));

    Child helper;
    startHelper(helper, display);
    EXPECT_TRUE(rig->pumpUntil([&] { return deviceMode() == linkedMode; }, 8s));
    EXPECT_EQ(skin.at("mp_deng_profile_combo").currentRow(), 1);

    helper.stop();  // stdin ends: the helper's window is no longer the active one
    EXPECT_TRUE(rig->pumpUntil([&] { return deviceMode() == ownMode; }, 8s));
    EXPECT_EQ(skin.at("mp_deng_profile_combo").currentRow(), 0);
}

}  // namespace
}  // namespace quillon::app
