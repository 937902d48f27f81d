// The start at log-on as an XDG autostart entry: its state is what the
// desktop reads from the entry, and a user's own entry keeps its contents.

#include "platform/autostart_entry.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "profiles/temp_folder.h"

#define LLVMFuzzerTestOneInput fuzzAutostartEntry
#include "../../fuzz/fuzz_autostart_entry.cpp"
#undef LLVMFuzzerTestOneInput

namespace quillon::platform {
namespace {

using profiles::testing::readText;
using profiles::testing::TempFolder;
using profiles::testing::writeText;

TEST(Autostart, TwoTogglesLeaveTheStateAsItWas) {
    TempFolder config;
    XdgAutostartEntry autostart(config.path(), "/usr/bin/quillon-gaming");
    EXPECT_FALSE(autostart.enabled());
    EXPECT_TRUE(autostart.toggle());
    EXPECT_NE(readText(autostart.entryPath()).find("Exec=\"/usr/bin/quillon-gaming\" --hidden\n"),
              std::string::npos);
    EXPECT_FALSE(autostart.toggle());
    EXPECT_FALSE(autostart.enabled());
    // Turned off, our entry stays as a hidden one.
    EXPECT_NE(readText(autostart.entryPath()).find("Hidden=true"), std::string::npos);
}

TEST(Autostart, AFailedWriteReportsTheRealState) {
    TempFolder config;
    // "autostart" is a file, so no entry can be made below it.
    writeText(config.path() / "autostart", "");
    XdgAutostartEntry autostart(config.path(), "/usr/bin/quillon-gaming");
    EXPECT_FALSE(autostart.toggle());
    EXPECT_FALSE(autostart.enabled());
}

TEST(Autostart, ExecQuotesAndEscapesAsDesktopEntriesAsk) {
    EXPECT_EQ(desktopExecArgument("/usr/bin/quillon-gaming"), "\"/usr/bin/quillon-gaming\"");
    EXPECT_EQ(desktopExecArgument("/opt/$HOME/`x`/100%/a\"b\\c"),
              "\"/opt/\\\\$HOME/\\\\`x\\\\`/100%%/a\\\\\"b\\\\\\\\c\"");
#ifdef QUILLON_DESKTOP_FILE_VALIDATE
    TempFolder config;
    XdgAutostartEntry autostart(config.path(), "/opt/my $dir/`odd`/100% \"q\"/quillon-gaming");
    ASSERT_TRUE(autostart.toggle());
    const std::string command =
        std::string(QUILLON_DESKTOP_FILE_VALIDATE) + " '" + autostart.entryPath().string() + "'";
    EXPECT_EQ(std::system(command.c_str()), 0);
#endif
}

TEST(Autostart, AUsersOwnEntryIsReadAsTheDesktopReadsItAndNeverDeleted) {
    TempFolder config;
    XdgAutostartEntry autostart(config.path(), "/usr/bin/quillon-gaming");
    std::filesystem::create_directories(autostart.entryPath().parent_path());
    const std::string own =
        "# mine\n[Desktop Entry]\nType=Application\nName=Mine\nExec=my-wrapper --quiet\n"
        "Hidden=true\n[Desktop Action x]\nName=X\n";
    writeText(autostart.entryPath(), own);
    EXPECT_FALSE(autostart.enabled());
    std::string gnomeOff = own;
    gnomeOff.replace(gnomeOff.find("Hidden=true"), 11, "X-GNOME-Autostart-enabled=false");
    writeText(autostart.entryPath(), gnomeOff);
    EXPECT_FALSE(autostart.enabled());

    // Turning it on keeps the user's command; off marks it hidden, keeping the file.
    EXPECT_TRUE(autostart.toggle());
    const std::string on = readText(autostart.entryPath());
    EXPECT_NE(on.find("Exec=my-wrapper --quiet\n"), std::string::npos);
    EXPECT_NE(on.find("X-GNOME-Autostart-enabled=true\nHidden=false\n[Desktop Action x]"),
              std::string::npos);
    EXPECT_FALSE(autostart.toggle());
    const std::string off = readText(autostart.entryPath());
    EXPECT_EQ(off.rfind("# mine\n", 0), 0u);
    EXPECT_NE(off.find("Hidden=true"), std::string::npos);

    // Something that is not an entry at all is left alone.
    writeText(autostart.entryPath(), "not a desktop entry");
    EXPECT_FALSE(autostart.toggle());
    EXPECT_EQ(readText(autostart.entryPath()), "not a desktop entry");
}

TEST(Autostart, FuzzSeedsRunThroughTheTarget) {
    int seeds = 0;
    const auto folder = std::filesystem::path(QUILLON_SOURCE_DATA_DIR).parent_path() / "fuzz" /
                        "corpus" / "autostart_entry";
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string text = readText(entry.path());
        EXPECT_EQ(
            fuzzAutostartEntry(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()), 0)
            << entry.path();
        ++seeds;
    }
    EXPECT_GE(seeds, 5);
}

}  // namespace
}  // namespace quillon::platform
