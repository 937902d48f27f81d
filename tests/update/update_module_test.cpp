// The update feature inside a running application: the start-up check
// against a loopback service opens the window, and the window follows the
// attach code's notices and the relayed updater progress.

#include "update/update_module.h"

#include <gtest/gtest.h>

#include <fstream>

#include "link/device_events.h"
#include "shell/queue_event_loop.h"
#include "skin/memory_skin.h"
#include "update/loopback_http_server.h"

namespace quillon::update {
namespace {

using namespace std::chrono_literals;

class NoHid final : public platform::HidBackend {
  public:
    bool enumerate(std::vector<platform::HidInterface>& interfaces) override {
        interfaces.clear();
        return true;
    }
    std::unique_ptr<platform::HidConnection> open(const platform::HidInterface&,
                                                  platform::HidOpenFlags) override {
        return nullptr;
    }
    bool probe(const platform::HidInterface&) override { return false; }
};

// The modal window of the test: the scenario plays while it is open.
class TestWindowShell final : public UpdateWindowShell {
  public:
    explicit TestWindowShell(std::function<void(skin::MemorySkin&)> whileOpen)
        : whileOpen_(std::move(whileOpen)) {
        skin_.windowCommand(skin::WindowCommand::show);
    }
    skin::Skin& skin() override { return skin_; }
    void runModal() override { whileOpen_(skin_); }

  private:
    std::function<void(skin::MemorySkin&)> whileOpen_;
    skin::MemorySkin skin_;
};

class UpdateModuleTest : public ::testing::Test {
  protected:
    UpdateModuleTest()
        : folder(std::filesystem::temp_directory_path() /
                 ("quillon-update-" + std::to_string(::getpid()))),
          folders(folder / "documents", {folder}, folder / "overlay"),
          server({{testing::httpReply(200, "OK", R"({"Data":{"version":"1.0.0"}})")}}),
          app(mainSkin, loop, hid) {
        std::filesystem::create_directories(folder);
        std::ofstream(folder / "update.ini") << "[UPDATE]\nurl=" << server.url() << "\n";
    }
    ~UpdateModuleTest() override {
        (void)app.shutdown();
        module.reset();
        std::filesystem::remove_all(folder);
    }

    void installWith(std::function<void(skin::MemorySkin&)> whileOpen) {
        module = install(UpdateModuleParts{app, folders, [this] { return devices; },
                                           [this, whileOpen] {
                                               auto shell =
                                                   std::make_unique<TestWindowShell>(whileOpen);
                                               shells.push_back(shell.get());
                                               return shell;
                                           },
                                           [] { return 0; }, [](int) {}});
    }

    // Pumps the application's queue until `done` or ten seconds.
    bool pumpUntil(const std::function<bool()>& done) {
        const auto limit = std::chrono::steady_clock::now() + 10s;
        while (!done() && std::chrono::steady_clock::now() < limit) {
            loop.runPending();
            std::this_thread::sleep_for(5ms);
        }
        return done();
    }

    std::filesystem::path folder;
    platform::FixedUserFolders folders;
    testing::LoopbackHttpServer server;
    skin::MemorySkin mainSkin;
    NoHid hid;
    shell::QueueEventLoop loop;
    shell::Application app;
    AttachedFirmware devices;
    std::vector<TestWindowShell*> shells;  // only counted: each is gone once closed
    std::unique_ptr<UpdateModule> module;
};

TEST_F(UpdateModuleTest, StartupCheckOpensTheWindowForNewerFirmware) {
    devices = {1, 0x0099, 0, 0};  // an RGB keyboard at 0.9.9; the service says 1.0.0
    std::string newest;
    installWith([&](skin::MemorySkin& skin) {
        EXPECT_TRUE(skin.at("rgb_page").isVisible());
        EXPECT_TRUE(pumpUntil([&] { return !skin.at("RGB_KB_F").text().empty(); }));
        newest = skin.at("RGB_KB_F").text();
    });
    mainSkin.raise({skin::NotifyType::windowInit, ""});
    ASSERT_TRUE(pumpUntil([&] { return !shells.empty(); }));
    EXPECT_EQ(newest, "V1.0.0");
    EXPECT_EQ(shells.size(), 1u);
}

TEST_F(UpdateModuleTest, TheOpenWindowFollowsNoticesAndProgress) {
    installWith([&](skin::MemorySkin& skin) {
        EXPECT_FALSE(skin.at("blue_page").isVisible());
        devices = {2, 0x0105, 0, 0};
        link::DeviceArrived oneColour;
        oneColour.keyboardVariant = link::KeyboardVariant::oneColour;
        app.events().publish(oneColour);
        EXPECT_TRUE(skin.at("blue_page").isVisible());
        EXPECT_EQ(skin.at("BLUE_KB_N").text(), "V1.0.5");

        // A second request while open opens nothing more.
        mainSkin.userClick("setbtn");
        EXPECT_EQ(shells.size(), 1u);

        skin.userClick("bule_kb_btn");
        app.messages().dispatch({shell::MessageId::relayToUpdateWindow, 4, 42});
        EXPECT_EQ(skin.at("blue_progress_text").text(), "42%");
        app.messages().dispatch({shell::MessageId::updateWindowClose, 0, 0});
        EXPECT_FALSE(skin.windowVisible());
    });
    mainSkin.userClick("setbtn");
    ASSERT_EQ(shells.size(), 1u) << "the window was made once";
    // Closed: notices go nowhere.
    app.events().publish(
        link::DeviceLeft{link::DeviceKind::keyboard, link::KeyboardVariant::oneColour});
}

TEST_F(UpdateModuleTest, TheLastDeviceLeavingClosesTheWindowButTheMousepadDoesNot) {
    bool closedByMousepad = false;
    installWith([&](skin::MemorySkin& skin) {
        devices = {0, 0, 1, 0x0105};
        link::DeviceArrived mouse;
        mouse.kind = link::DeviceKind::mouse;
        app.events().publish(mouse);
        EXPECT_TRUE(skin.at("ms_page").isVisible());
        app.events().publish(link::DeviceLeft{
            link::DeviceKind::mousepad, link::KeyboardVariant::rgb, link::MouseModel::first, true});
        closedByMousepad = !skin.windowVisible();
        app.events().publish(link::DeviceLeft{link::DeviceKind::mouse, link::KeyboardVariant::rgb,
                                              link::MouseModel::first, true});
        EXPECT_FALSE(skin.at("ms_page").isVisible());
        EXPECT_FALSE(skin.windowVisible());
    });
    mainSkin.userClick("setbtn");
    EXPECT_FALSE(closedByMousepad);
}

}  // namespace
}  // namespace quillon::update
