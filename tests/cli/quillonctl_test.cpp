// quillonctl's commands, run in-process over the virtual bus and a fresh account.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/command_line.h"
#include "emu/demo_devices.h"
#include "emu/virtual_bus.h"
#include "profiles/profile_fixture.h"

namespace quillon::cli {
namespace {

using profiles::testing::FreshAccount;

struct Quillonctl : ::testing::Test {
    emu::VirtualBus bus;
    FreshAccount account;
    std::ostringstream out, err;
    bool programRunning = false;

    // Both --demo and the "system" devices are the test's bus.
    int run(std::vector<std::string> words) {
        out.str("");
        err.str("");
        const Environment env{out, err, account.users,
                              [this](bool) -> platform::HidBackend& { return bus; },
                              [this] { return programRunning; }};
        return runCommandLine(words, env);
    }
    std::filesystem::path temp(const std::string& name) { return account.root.path() / name; }
};

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        result.push_back(line);
    return result;
}

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST_F(Quillonctl, DevicesShowNodeProductInterfaceAndUsage) {
    EXPECT_EQ(run({"devices"}), 0);
    EXPECT_TRUE(contains(out.str(), "no supported devices present")) << out.str();

    bus.plug(0x8611);
    bus.plug(0x5104);
    EXPECT_EQ(run({"--demo", "devices"}), 0);
    const std::string text = out.str();
    EXPECT_TRUE(contains(text, "emulated:keyboard  0c45:8611  RGB mechanical keyboard  interface "))
        << text;
    EXPECT_TRUE(contains(text, "usage ff1c/0092 (commands)\n")) << text;
    EXPECT_TRUE(contains(text, "usage 000c/0001 (media keys)\n")) << text;
    EXPECT_TRUE(contains(text, "emulated:mousepad  0c45:5104  Lighted mousepad")) << text;
    EXPECT_FALSE(contains(text, "vid_")) << "no encoded paths: " << text;
}

TEST_F(Quillonctl, InfoPrintsTheRecordAndTracesEveryReport) {
    bus.plug(0x8611);
    const auto path = temp("trace.txt");
    EXPECT_EQ(run({"--trace", path.string(), "info", "keyboard"}), 0) << err.str();
    // Byte 5 of the keyboard's record is its key count: 104 keys.
    EXPECT_TRUE(contains(out.str(), "\n11 86 03 01 00 68")) << out.str();

    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    const auto trace = lines(text.str());
    ASSERT_EQ(trace.size(), 6u);  // begin, info, end: a write and a read each
    EXPECT_EQ(trace[0], "W 04010001" + std::string(120, '0'));
    EXPECT_EQ(trace[2].substr(0, 12), "W 042200031f");
    for (std::size_t i = 0; i < trace.size(); ++i) {
        EXPECT_EQ(trace[i].size(), 130u);
        EXPECT_EQ(trace[i][0], i % 2 ? 'R' : 'W');
    }
}

TEST_F(Quillonctl, KeymapReadUsesTheKeyboardsBlockLength) {
    bus.plug(0x8611);
    EXPECT_EQ(run({"keymap", "read", "keyboard", "--slot", "2"}), 0) << err.str();
    EXPECT_EQ(lines(out.str()).size(), 104u);
}

TEST_F(Quillonctl, ResetRestoresTheMousepad) {
    bus.plug(0x5104);
    EXPECT_EQ(run({"reset", "mousepad"}), 0) << err.str();
    EXPECT_TRUE(contains(out.str(), "factory settings"));
}

TEST_F(Quillonctl, StatusListsEveryKindWithItsModelFirmwareAndActiveSlot) {
    auto membrane = bus.plug(0x6523);
    bus.plug(0x764D);
    EXPECT_EQ(run({"status"}), 0);
    const std::string text = out.str();
    char firmware[32];
    std::snprintf(firmware, sizeof firmware, "firmware %04x", membrane->attributes().versionNumber);
    EXPECT_TRUE(
        contains(text, "keyboard Membrane keyboard with lighting regions (6523, variant 2), "))
        << text;
    EXPECT_TRUE(contains(text, firmware)) << text;
    EXPECT_TRUE(contains(text, "(764d, model 2)")) << text;
    EXPECT_TRUE(contains(text, ", active slot 0\n")) << text;
    EXPECT_TRUE(contains(text, "mousepad not attached\n")) << text;
}

TEST_F(Quillonctl, FailuresExitOneWithTheReason) {
    EXPECT_EQ(run({"info", "mouse"}), 1);
    EXPECT_TRUE(contains(err.str(), "no mouse found"));
    EXPECT_EQ(run({"status"}), 1);  // nothing attached
}

TEST_F(Quillonctl, UsageErrorsExitTwoAndDoNothing) {
    auto mouse = bus.plug(0x5523);
    for (const std::vector<std::string>& words : std::vector<std::vector<std::string>>{
             {},
             {"frobnicate"},
             {"info", "toaster"},
             {"info"},
             {"keymap", "read", "keyboard", "--slot", "5"},
             {"keymap", "read", "keyboard", "--slot", "x"},
             {"keymap", "read", "mousepad"},
             {"reset", "keyboard"},
             {"reset", "mouse", "extra"},
             {"status", "extra"},
             {"profiles", "list", "extra"},
             {"profiles", "show", "xx", "a"},
             {"effect", "render", "--device", "keyboard", "--mode", "1"},
             {"effect", "render", "--device", "toaster", "--mode", "1", "--frames", "1"},
             {"effect", "render", "--device", "keyboard", "--mode", "1", "--frames", "1",
              "--colour", "12345g"},
             {"effect", "render", "--device", "keyboard", "--mode", "1", "--frames", "1", "--speed",
              "15"},
             {"effect", "render", "--device", "sync", "--mode", "0", "--frames", "1", "--keyboard",
              "onecolour"},
         }) {
        EXPECT_EQ(run(words), 2) << ::testing::PrintToString(words);
        EXPECT_TRUE(out.str().empty()) << ::testing::PrintToString(words);
        EXPECT_FALSE(err.str().empty()) << ::testing::PrintToString(words);
    }
    EXPECT_TRUE(mouse->requests().empty()) << "a usage error reached the mouse";
}

TEST_F(Quillonctl, AnOptionIsNeverTakenForTheTraceFileName) {
    auto mouse = bus.plug(0x5523);
    const auto cwd = std::filesystem::current_path();
    std::filesystem::current_path(account.root.path());
    const int code = run({"--trace", "--demo", "info", "mouse"});
    const bool made = std::filesystem::exists("--demo");
    std::filesystem::current_path(cwd);
    EXPECT_EQ(code, 2);
    EXPECT_FALSE(made);
    EXPECT_TRUE(mouse->requests().empty());
}

TEST_F(Quillonctl, ATraceThatCannotBeWrittenIsAnError) {
    bus.plug(0x8611);
    EXPECT_EQ(run({"--trace", "/dev/full", "info", "keyboard"}), 1);
    EXPECT_TRUE(contains(err.str(), "writing the trace file '/dev/full' failed")) << err.str();
    EXPECT_EQ(run({"--trace", temp("no/such/folder/t.txt").string(), "info", "keyboard"}), 1);
    EXPECT_TRUE(contains(err.str(), "cannot write the trace file")) << err.str();
}

TEST_F(Quillonctl, WhileTheProgramRunsOnlyDemoAndFileCommandsRun) {
    auto mouse = bus.plug(0x5523);
    programRunning = true;
    for (const std::vector<std::string>& words : std::vector<std::vector<std::string>>{
             {"info", "mouse"}, {"status"}, {"reset", "mouse"}, {"keymap", "read", "mouse"}}) {
        EXPECT_EQ(run(words), 3) << ::testing::PrintToString(words);
        EXPECT_TRUE(contains(err.str(), "is running")) << err.str();
    }
    EXPECT_TRUE(mouse->requests().empty());
    EXPECT_EQ(run({"--demo", "info", "mouse"}), 0);
    EXPECT_EQ(run({"info", "mouse", "--demo"}), 0);
    EXPECT_EQ(run({"devices"}), 0);
    EXPECT_EQ(run({"profiles", "list"}), 0);
}

TEST_F(Quillonctl, HelpIsPerCommandAndHidesTheCompletionCommand) {
    EXPECT_EQ(run({"--help"}), 0);
    for (const char* command : {"devices", "info", "keymap", "reset", "status", "profiles",
                                "effect", "--demo", "--trace"})
        EXPECT_TRUE(contains(out.str(), command)) << command;
    EXPECT_FALSE(contains(out.str(), "completion"));
    EXPECT_EQ(run({"keymap", "read", "--help"}), 0);
    EXPECT_TRUE(contains(out.str(), "--slot")) << out.str();
}

TEST_F(Quillonctl, ProfileMessagesReadAsTheWindowsEnglishTexts) {
    std::filesystem::remove(account.program("mpdengdefault.led"));
    EXPECT_EQ(run({"profiles", "list"}), 1);
    EXPECT_EQ(err.str(), "A file that is needed could not be found.\n");
    EXPECT_TRUE(contains(out.str(), "mp-lighting (mousepad lighting, ")) << out.str();

    EXPECT_EQ(run({"profiles", "show", "kb-keys", "../../etc/passwd"}), 1);
    EXPECT_EQ(err.str(), "quillonctl: Please enter a valid name.\n");
}

TEST_F(Quillonctl, ProfilesListDoesNotClaimAFirstRunThatWasNotSaved) {
    std::ofstream(account.kv()) << "a file where the data folder belongs";
    EXPECT_EQ(run({"profiles", "list"}), 1);
    EXPECT_FALSE(contains(out.str(), "first run")) << out.str();
    EXPECT_TRUE(contains(err.str(), "could not be saved")) << err.str();
}

TEST_F(Quillonctl, ProfilesListAndShowPrintTheListsAndTheFields) {
    EXPECT_EQ(run({"profiles", "list"}), 0) << err.str();
    EXPECT_TRUE(contains(out.str(), "(first run: profiles made from the factory defaults)"));
    for (auto list : {"kb-lighting", "kb-keys", "ms-lighting", "ms-keys", "mp-lighting"})
        EXPECT_TRUE(contains(out.str(), std::string(list) + " (")) << list;
    EXPECT_TRUE(contains(out.str(), "  * 0 New Profile 1\n"));

    EXPECT_EQ(run({"profiles", "show", "ms-lighting", "New Profile 1"}), 0) << err.str();
    EXPECT_TRUE(contains(out.str(), "header: magic 0x55AA, device kind 2"));
    EXPECT_TRUE(contains(out.str(), "report-rate index: 3"));
    EXPECT_TRUE(contains(out.str(), "wheel lines: 3"));
    EXPECT_EQ(run({"profiles", "show", "kb-keys", "New Profile 1"}), 0);
    EXPECT_TRUE(contains(out.str(), "slot   0:  20 00 29")) << out.str();
    EXPECT_EQ(run({"profiles", "show", "kb-lighting", "New Profile 1"}), 0);
    EXPECT_TRUE(contains(out.str(), "lighting: mode 3, brightness 14"));
    EXPECT_TRUE(contains(out.str(), "colour set 4"));
    EXPECT_EQ(run({"profiles", "show", "kb-keys", "Nothing"}), 1);
    EXPECT_TRUE(contains(err.str(), "missing"));
}

TEST_F(Quillonctl, EffectRenderPrintsOneHexLinePerFrame) {
    EXPECT_EQ(run({"effect", "render", "--device", "keyboard", "--mode", "0", "--brightness", "10",
                   "--colour", "c86432", "--frames", "3"}),
              0)
        << err.str();
    const auto frames = lines(out.str());
    ASSERT_EQ(frames.size(), 3u);
    // 200, 100, 50 at level 10 (scale 195): 152, 76, 38.
    EXPECT_EQ(frames[0].substr(0, 6), "984c26");
    EXPECT_EQ(frames[0].size(), 756u);

    EXPECT_EQ(run({"effect", "render", "--device", "sync", "--keyboard", "membrane", "--mode", "2",
                   "--frames", "1"}),
              0);
    EXPECT_EQ(out.str().find(' '), 72u);  // the membrane keyboard's 36 bytes first

    std::ofstream(temp("set.txt")) << "00 11";
    EXPECT_EQ(run({"effect", "render", "--device", "keyboard", "--mode", "9", "--frames", "1",
                   "--custom-set", temp("set.txt").string()}),
              2);
    EXPECT_TRUE(contains(err.str(), "378-byte custom set")) << err.str();
}

TEST_F(Quillonctl, EffectPlayStreamsToTheKeyboard) {
    auto keyboard = bus.plug(0x8611);
    EXPECT_EQ(run({"effect", "play", "--device", "keyboard", "--mode", "0", "--frames", "2"}), 0)
        << err.str();
    EXPECT_EQ(keyboard->frameCount(), 2u);
    EXPECT_EQ(run({"effect", "play", "--device", "mouse", "--mode", "0", "--frames", "2"}), 2);
}

// Runs the generated bash script's completion for `line` (the cursor at its end).
std::string complete(const std::string& script, const std::string& line) {
    const auto file = std::filesystem::temp_directory_path() /
                      ("quillonctl_completion_" + std::to_string(::getpid()) + ".bash");
    std::ofstream(file)
        << script << "COMP_LINE='" << line << "'\n"
        << "read -ra COMP_WORDS <<< \"$COMP_LINE\"\n"
        << "[[ $COMP_LINE == *' ' ]] && COMP_WORDS+=('')\n"
        << "COMP_CWORD=$((${#COMP_WORDS[@]} - 1))\n"
        << "_quillonctl\n"
        << "((${#COMPREPLY[@]})) && printf '%s\\n' \"${COMPREPLY[@]}\" | sort | tr '\\n' ' '\n";
    std::string result;
    if (FILE* p = ::popen(("bash " + file.string()).c_str(), "r")) {
        char buf[4096];
        while (std::fgets(buf, sizeof buf, p))
            result += buf;
        ::pclose(p);
    }
    std::filesystem::remove(file);
    return result;
}

TEST_F(Quillonctl, BashCompletionFollowsTheCommandTree) {
    ASSERT_EQ(run({"completion", "bash"}), 0);
    const std::string script = out.str();
    EXPECT_TRUE(contains(complete(script, "quillonctl "),
                         "devices dpi effect info keymap macro pattern profiles"));
    EXPECT_FALSE(contains(complete(script, "quillonctl "), "completion"));
    EXPECT_EQ(complete(script, "quillonctl info m"), "mouse mousepad ");
    EXPECT_EQ(complete(script, "quillonctl --demo reset "), "mouse mousepad ");
    EXPECT_EQ(complete(script, "quillonctl keymap read keyboard --s"), "--slot ");
    EXPECT_EQ(complete(script, "quillonctl profiles show kb-keys "), "");
    EXPECT_EQ(complete(script, "quillonctl effect render --device sy"), "sync ");
    EXPECT_EQ(complete(script, "quillonctl effect render --frames "), "");

    EXPECT_EQ(run({"completion", "zsh"}), 0);
    EXPECT_TRUE(out.str().starts_with("#compdef quillonctl\n"));
    if (std::system("command -v zsh >/dev/null 2>&1") == 0) {
        const auto file = temp("_quillonctl");
        std::ofstream(file) << out.str();
        EXPECT_EQ(std::system(("zsh -n " + file.string()).c_str()), 0) << "zsh syntax";
    }
    EXPECT_EQ(run({"completion", "fish"}), 2);
}

TEST_F(Quillonctl, UpdateCheckListsTheSoftwareAndEachAttachedDeviceWithAnUpdateProduct) {
    emu::attachDemoDevices(bus, emu::kDefaultDemoProducts);
    // Nothing listens there: every newest version is unknown, no update offered.
    EXPECT_EQ(run({"update", "check", "--url", "http://127.0.0.1:9/download/getVersionV1"}), 0);
    EXPECT_EQ(out.str(), "QuillonGaming (Kv024)  installed V" QUILLON_VERSION
                         "  newest unknown  update no\n"
                         "MeridoxEliteRGB (Kv021)  installed V1.0.3  newest unknown  update no\n"
                         "CORVEXEliteRGB (Kv023)  installed V1.0.5  newest unknown  update no\n");
    EXPECT_EQ(run({"update", "check", "--bogus"}), 2);
}

// --- mouse performance: dpi and slot

TEST_F(Quillonctl, DpiSetWritesTheActiveSlotRecordAsTheWindowDoes) {
    auto mouse = bus.plug(0x5523);  // the 0x3325 sensor: 200..5000 in steps of 100
    EXPECT_EQ(run({"dpi", "set", "--stage", "2", "--dpi", "1600", "--colour", "ff8000", "--rate",
                   "500", "--lift", "1"}),
              0)
        << err.str();
    const auto record = mouse->inspect([](const emu::FirmwareModel& fw) {
        const auto r = fw.slotRecord(0);
        return std::vector<std::uint8_t>(r.begin(), r.end());
    });
    EXPECT_EQ(record[16], 14);  // stage 2: (1600 - 200) / 100
    EXPECT_EQ(record[11], 0xFF);
    EXPECT_EQ(record[12], 0x80);
    EXPECT_EQ(record[13], 0x00);
    EXPECT_EQ(record[14], 2);  // the third item of the rate combo
    EXPECT_EQ(record[22], 1);

    EXPECT_EQ(run({"dpi", "show"}), 0) << err.str();
    const std::string text = out.str();
    EXPECT_TRUE(contains(text, "DPI 200..5000 in steps of 100\n")) << text;
    EXPECT_TRUE(contains(text, "stage 2: 1600  (current)\nstage 3: 1600\n")) << text;
    EXPECT_FALSE(contains(text, "stage 6")) << "the first model shows five stages: " << text;
    EXPECT_TRUE(contains(text, "colour ff8000\nreport rate 500 Hz\nlift-off 1\n")) << text;
}

TEST_F(Quillonctl, DpiSetRefusesWhatTheMouseCannotTake) {
    auto mouse = bus.plug(0x5523);
    mouse->clearRequestLog();
    for (const std::vector<std::string>& words : std::vector<std::vector<std::string>>{
             {"dpi", "set", "--dpi", "1600"},                  // which stage?
             {"dpi", "set", "--stage", "1", "--dpi", "1650"},  // between steps
             {"dpi", "set", "--stage", "1", "--dpi", "5100"},  // above the sensor
             {"dpi", "set", "--rate", "300"},
             {"dpi", "set", "--colour", "12345g"},
             {"dpi", "set", "--stage", "7", "--dpi", "400"},
             {"dpi", "set"}}) {
        EXPECT_EQ(run(words), 2) << words.back();
    }
    for (const auto& r : mouse->requests())
        EXPECT_NE(r.command(), std::uint8_t(link::Command::writeSettings));
}

TEST_F(Quillonctl, SlotShowAndSetTheOnboardSlot) {
    auto pad = bus.plug(0x5104);
    EXPECT_EQ(run({"slot", "set", "mousepad", "3"}), 0) << err.str();
    EXPECT_EQ(pad->activeSlot(), 3);
    EXPECT_EQ(run({"slot", "show", "mousepad"}), 0);
    EXPECT_EQ(out.str(), "mousepad slot 3\n");
    EXPECT_EQ(run({"slot", "set", "mousepad", "5"}), 2);
    EXPECT_EQ(run({"slot", "show", "mouse"}), 1);
    EXPECT_TRUE(contains(err.str(), "no mouse found"));
}

TEST_F(Quillonctl, ProfileOperationsChangeTheFilesAsTheButtonsDo) {
    EXPECT_EQ(run({"profiles", "add", "kb-lighting"}), 0) << err.str();
    EXPECT_TRUE(contains(out.str(), "\"New Profile 2\"")) << out.str();
    EXPECT_EQ(run({"profiles", "rename", "kb-lighting", "new profile 2", "Game"}), 0) << err.str();
    EXPECT_EQ(run({"profiles", "copy", "kb-lighting", "game"}), 0) << err.str();
    EXPECT_EQ(run({"profiles", "link", "kb-lighting", "Game copy", "/opt/games/arena"}), 0)
        << err.str();
    const auto file = temp("game.led");
    EXPECT_EQ(run({"profiles", "export", "kb-lighting", "Game", file.string()}), 0) << err.str();
    EXPECT_EQ(run({"profiles", "select", "kb-lighting", "New Profile 1"}), 0) << err.str();
    EXPECT_EQ(run({"profiles", "import", "kb-lighting", file.string()}), 0) << err.str();
    EXPECT_EQ(run({"profiles", "delete", "kb-lighting", "Game"}), 0) << err.str();
    EXPECT_EQ(run({"profiles", "list"}), 0);
    EXPECT_TRUE(contains(out.str(), "  * 1 Game copy  [linked to /opt/games/arena]\n"))
        << out.str();
    EXPECT_EQ(run({"profiles", "unlink", "kb-lighting", "Game copy"}), 0) << err.str();
    EXPECT_EQ(run({"profiles", "reset", "kb-keys", "New Profile 1", "--variant", "2"}), 0)
        << err.str();
}

TEST_F(Quillonctl, ProfileRefusalsPrintTheMessageAndExitOne) {
    EXPECT_EQ(run({"profiles", "delete", "mp-lighting", "New Profile 1"}), 1);
    EXPECT_TRUE(contains(err.str(), "only profile")) << err.str();
    EXPECT_EQ(run({"profiles", "rename", "mp-lighting", "New Profile 1", "a/b"}), 1);
    EXPECT_TRUE(contains(err.str(), "Please enter a valid name.")) << err.str();
    EXPECT_EQ(run({"profiles", "copy", "mp-lighting", "Nobody"}), 1);
    EXPECT_TRUE(contains(err.str(), "no profile \"Nobody\"")) << err.str();
    EXPECT_EQ(run({"profiles", "link", "mp-lighting", "New Profile 1", "game"}), 1);
    EXPECT_EQ(run({"profiles", "rename", "mp-lighting", "New Profile 1"}), 2);
    EXPECT_EQ(run({"profiles", "add", "mp-lighting", "--variant", "7"}), 2);
    EXPECT_EQ(run({"profiles", "add", "pads"}), 2);
}

TEST_F(Quillonctl, PatternsAreShownImportedExportedAndWritten) {
    EXPECT_EQ(run({"pattern", "show"}), 0) << err.str();
    EXPECT_TRUE(contains(out.str(), "pattern 4  name_4.cur  180 actions: 100 ms +0/+5"))
        << out.str();

    const auto longFile = temp("long.cur");
    std::ofstream(longFile) << "[MACROACTIONCOUNT]\ncount=200\n[MACROACTION]\n";
    EXPECT_EQ(run({"pattern", "import", "2", longFile.string()}), 1);
    EXPECT_TRUE(contains(err.str(), "more than 180 actions")) << err.str();

    const auto saved = temp("one.txt");
    EXPECT_EQ(run({"pattern", "export", "1", saved.string()}), 0) << err.str();
    EXPECT_EQ(run({"pattern", "import", "2", saved.string()}), 0) << err.str();
    EXPECT_EQ(run({"pattern", "show"}), 0);
    EXPECT_TRUE(contains(out.str(), "pattern 2  name_2.cur  180 actions: 100 ms +0/+2"))
        << out.str();

    auto mouse = bus.plug(0x5523);
    EXPECT_EQ(run({"pattern", "write"}), 0) << err.str();
    EXPECT_EQ(out.str(), "patterns written: 2920 bytes\n");
    EXPECT_EQ(mouse->inspect([](const emu::FirmwareModel& fw) { return fw.patternMemory()[2]; }),
              2920 & 0xFF);
}

TEST_F(Quillonctl, ConfigSetsTheLanguageAsTheSettingsWindowDoesAndTheAutostartEntry) {
    const auto skinFolder = account.program("skin");
    std::filesystem::create_directories(skinFolder);
    std::ofstream(skinFolder / "lan.xml") << "<languages/>";
    std::ofstream(skinFolder / "lan_sn.xml") << "<language code=\"cn_tw\"/>";
    std::filesystem::remove(skinFolder / "lan_de.xml");

    EXPECT_EQ(run({"config", "set", "language", "tw"}), 0) << err.str();
    std::ifstream mainIni(account.kv() / "main.ini");
    std::stringstream mainText;
    mainText << mainIni.rdbuf();
    EXPECT_TRUE(contains(mainText.str(), "LANGUAGE=2")) << mainText.str();
    std::ifstream store(account.root.path() / "config" / "quillon" / "quillon.ini");
    std::stringstream storeText;
    storeText << store.rdbuf();
    EXPECT_TRUE(contains(storeText.str(), "LANGUAGE=3030")) << storeText.str();

    // A language whose file is missing is refused and changes nothing.
    EXPECT_EQ(run({"config", "set", "language", "de"}), 1);
    EXPECT_TRUE(contains(err.str(), "lan_de.xml")) << err.str();
    EXPECT_EQ(run({"config", "set", "language", "xx"}), 2);

    EXPECT_EQ(run({"config", "set", "autostart", "on"}), 0) << err.str();
    EXPECT_EQ(run({"config", "set", "autostart", "on"}), 0);  // already on: stays on
    EXPECT_EQ(run({"config", "show"}), 0);
    EXPECT_TRUE(contains(out.str(), "language    tw (lan_sn.xml)\n")) << out.str();
    EXPECT_TRUE(contains(out.str(), "autostart   on\n")) << out.str();
    EXPECT_TRUE(contains(out.str(), "background  the skin's own\n")) << out.str();
    EXPECT_EQ(run({"config", "set", "autostart", "off"}), 0);
    EXPECT_EQ(run({"config", "show"}), 0);
    EXPECT_TRUE(contains(out.str(), "autostart   off\n")) << out.str();
}

}  // namespace
}  // namespace quillon::cli
