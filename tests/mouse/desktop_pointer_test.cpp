// The desktop backends of the pointer settings: which tool each desktop gets
// and with which words, and what a desktop cannot take.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/pointer/desktop_pointer_settings.h"

namespace quillon::platform {
namespace {

// Records every call; tools named in `missing` cannot be started.
class ScriptedTool final : public DesktopTool {
  public:
    int run(const std::vector<std::string>& argv) override {
        calls.push_back(argv);
        for (const std::string& m : missing)
            if (argv.front() == m)
                return kToolNotStarted;
        return status;
    }
    std::vector<std::vector<std::string>> calls;
    std::vector<std::string> missing;
    int status = 0;
};

using Words = std::vector<std::string>;

TEST(DesktopPointer, TheDesktopIsTakenFromItsNameListThenTheDisplay) {
    EXPECT_EQ(desktopKindOf("ubuntu:GNOME", true), DesktopKind::gnome);
    EXPECT_EQ(desktopKindOf("KDE", false), DesktopKind::kde);
    EXPECT_EQ(desktopKindOf("XFCE", true), DesktopKind::x11);
    EXPECT_EQ(desktopKindOf("GNOME-Flashback-X", false), DesktopKind::none);
    EXPECT_EQ(desktopKindOf("", false), DesktopKind::none);
}

TEST(DesktopPointer, SpeedsMapOntoTheDesktopsScaleWithTenAsItsDefault) {
    EXPECT_EQ(desktopAcceleration(10), "0.0");
    EXPECT_EQ(desktopAcceleration(20), "1.0");
    EXPECT_EQ(desktopAcceleration(1), "-0.9");
    EXPECT_EQ(desktopAcceleration(13), "0.3");
    EXPECT_EQ(desktopAcceleration(0), "-0.9");  // below the range counts as 1
}

TEST(DesktopPointer, GnomeTakesTheSpeedThroughGsettingsButNoWheelLines) {
    ScriptedTool tool;
    DesktopPointerSettings gnome(DesktopKind::gnome, tool);
    EXPECT_EQ(gnome.setPointerSpeed(20), PointerResult::applied);
    ASSERT_EQ(tool.calls.size(), 1u);
    EXPECT_EQ(tool.calls[0],
              (Words{"gsettings", "set", "org.gnome.desktop.peripherals.mouse", "speed", "1.0"}));
    EXPECT_EQ(gnome.setWheelLines(3), PointerResult::unsupported);
    EXPECT_EQ(tool.calls.size(), 1u);

    tool.status = 1;  // gsettings refused (no such schema)
    EXPECT_EQ(gnome.setPointerSpeed(5), PointerResult::failed);
}

TEST(DesktopPointer, KdeWritesItsOwnFilesWithWhicheverKwriteconfigThereIs) {
    ScriptedTool tool;
    tool.missing = {"kwriteconfig6"};
    DesktopPointerSettings kde(DesktopKind::kde, tool);
    EXPECT_EQ(kde.setWheelLines(7), PointerResult::applied);
    ASSERT_EQ(tool.calls.size(), 2u);
    EXPECT_EQ(tool.calls[1], (Words{"kwriteconfig5", "--file", "kdeglobals", "--group", "KDE",
                                    "--key", "WheelScrollLines", "7"}));
    EXPECT_EQ(kde.setPointerSpeed(10), PointerResult::applied);
    EXPECT_EQ(tool.calls.back(), (Words{"kwriteconfig5", "--file", "kcminputrc", "--group", "Mouse",
                                        "--key", "PointerAcceleration", "0.0"}));

    tool.missing = {"kwriteconfig6", "kwriteconfig5"};
    EXPECT_EQ(kde.setWheelLines(3), PointerResult::failed);
}

TEST(DesktopPointer, OtherX11DesktopsGetThePointerControlAndNoDisplayGetsNothing) {
    ScriptedTool tool;
    DesktopPointerSettings x11(DesktopKind::x11, tool);
    EXPECT_EQ(x11.setPointerSpeed(15), PointerResult::applied);
    EXPECT_EQ(tool.calls.back(), (Words{"xset", "m", "15/10", "4"}));
    EXPECT_EQ(x11.setWheelLines(3), PointerResult::unsupported);

    DesktopPointerSettings none(DesktopKind::none, tool);
    const std::size_t before = tool.calls.size();
    EXPECT_EQ(none.setPointerSpeed(15), PointerResult::unsupported);
    EXPECT_EQ(tool.calls.size(), before);
}

TEST(DesktopPointer, AToolThatIsNotInstalledIsReportedNotStarted) {
    SpawnedDesktopTool tool;
    EXPECT_EQ(tool.run({"quillon-no-such-tool-here"}), kToolNotStarted);
    EXPECT_EQ(tool.run({"true"}), 0);
    EXPECT_EQ(tool.run({"false"}), 1);
}

}  // namespace
}  // namespace quillon::platform
