#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/command_table.h"
#include "cli/file_trace.h"
#include "emu/demo_devices.h"
#include "emu/virtual_bus.h"

namespace quillon::cli {
namespace {

struct CommandRun {
    emu::VirtualBus bus;
    std::ostringstream out, err;
    int code = -1;
    explicit CommandRun(bool devices = true) {
        if (devices)
            emu::attachDemoDevices(bus);
    }
    int operator()(std::vector<std::string> args, link::ReportTrace* trace = nullptr) {
        out.str("");
        err.str("");
        Context ctx{bus, trace, true, out, err};
        return code = runCommand(ctx, args);
    }
};

TEST(QuillonctlTest, DevicesListsEveryInterfaceOfTheDemoDevices) {
    CommandRun run;
    EXPECT_EQ(run({"devices"}), 0);
    const std::string text = run.out.str();
    EXPECT_NE(text.find("0c45:8611  RGB mechanical keyboard  usage ff1c/0092"), std::string::npos);
    EXPECT_NE(text.find("0c45:5523"), std::string::npos);
    EXPECT_NE(text.find("0c45:5104"), std::string::npos);

    CommandRun empty(false);
    EXPECT_EQ(empty({"devices"}), 0);
    EXPECT_NE(empty.out.str().find("no supported devices"), std::string::npos);
}

TEST(QuillonctlTest, InfoPrintsTheRecordAndTracesEveryReport) {
    CommandRun run;
    const auto path = std::filesystem::temp_directory_path() / "quillonctl_trace_test.txt";
    {
        FileTrace trace(path.string());
        ASSERT_TRUE(trace.ok());
        EXPECT_EQ(run({"info", "keyboard"}, &trace), 0);
    }
    // Byte 5 of the keyboard's record is its key count: 104 keys.
    EXPECT_NE(run.out.str().find("\n11 86 03 01 00 68"), std::string::npos) << run.out.str();

    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    std::filesystem::remove(path);
    ASSERT_EQ(lines.size(), 6u);  // begin, info, end: a write and a read each
    EXPECT_EQ(lines[0], "W 04010001" + std::string(120, '0'));
    EXPECT_EQ(lines[2].substr(0, 12), "W 042200031f");
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].size(), 130u);
        EXPECT_EQ(lines[i][0], i % 2 ? 'R' : 'W');
    }
}

TEST(QuillonctlTest, KeymapReadUsesTheKeyboardsBlockLength) {
    CommandRun run;
    EXPECT_EQ(run({"keymap", "read", "keyboard", "--slot", "2"}), 0) << run.err.str();
    std::istringstream lines(run.out.str());
    int count = 0;
    for (std::string line; std::getline(lines, line);)
        ++count;
    EXPECT_EQ(count, 104);
}

TEST(QuillonctlTest, BadArgumentsGetAClearMessageAndNonZeroExit) {
    CommandRun run;
    EXPECT_EQ(run({"frobnicate"}), 2);
    EXPECT_NE(run.err.str().find("unknown command"), std::string::npos);
    EXPECT_EQ(run({"info", "toaster"}), 2);
    EXPECT_NE(run.err.str().find("unknown device kind"), std::string::npos);
    EXPECT_EQ(run({"keymap", "read", "keyboard", "--slot", "5"}), 2);
    EXPECT_EQ(run({"reset", "keyboard"}), 2);

    CommandRun empty(false);
    EXPECT_EQ(empty({"info", "mouse"}), 1);
    EXPECT_NE(empty.err.str().find("no mouse found"), std::string::npos);
}

TEST(QuillonctlTest, ResetRestoresTheMousepad) {
    CommandRun run;
    EXPECT_EQ(run({"reset", "mousepad"}), 0) << run.err.str();
    EXPECT_NE(run.out.str().find("factory settings"), std::string::npos);
}

TEST(QuillonctlTest, UpdateCheckListsTheSoftwareAndEachAttachedDeviceWithAnUpdateProduct) {
    CommandRun run;
    // Nothing listens there: every newest version is unknown, no update offered.
    EXPECT_EQ(run({"update", "check", "--url", "http://127.0.0.1:9/download/getVersionV1"}), 0);
    EXPECT_EQ(run.out.str(),
              "QuillonGaming (Kv024)  installed V" QUILLON_VERSION
              "  newest unknown  update no\n"
              "MeridoxEliteRGB (Kv021)  installed V1.0.3  newest unknown  update no\n"
              "CORVEXEliteRGB (Kv023)  installed V1.0.5  newest unknown  update no\n");
    EXPECT_EQ(run({"update", "check", "--bogus"}), 2);
}

}  // namespace
}  // namespace quillon::cli
