// The update window driven through the in-memory skin, with a scripted
// service and a hand-pumped GUI queue.

#include "update/update_window.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <deque>
#include <mutex>

#include "skin/memory_skin.h"
#include "update/fake_service.h"
#include "update/update_window_controls.h"

namespace quillon::update {
namespace {

using testing::FakeService;

class RecordingOpener final : public platform::UrlOpener {
  public:
    bool open(std::string_view url) override {
        std::lock_guard lock(mutex);
        opened.emplace_back(url);
        return true;
    }
    std::mutex mutex;
    std::vector<std::string> opened;
};

class UpdateWindowTest : public ::testing::Test {
  protected:
    UpdateWindowTest() {
        fake.versions = {{"Kv024", "3.0.5"}, {"Kv021", "1.0.5"},  {"Kv022", "1.0.6"},
                         {"Kv033", "1.0.5"}, {"Kv023", "1.0.10"}, {"Kv034", "1.0.5"}};
        config.serviceUrl = "https://updates.example/download/getVersionV1";
        config.downloadPage = "https://example/download";
        config.webSite = "https://example/";
        for (int i = 0; i < 10; ++i)
            skin.at(kLanguageCombo).addRow(skin::Row::text("language"));
    }

    std::unique_ptr<UpdateWindow> open() {
        auto service =
            std::make_shared<UpdateService>(config, exchange ? exchange : fake.exchange());
        auto window = std::make_unique<UpdateWindow>(UpdateWindowContext{
            skin, service, opener,
            [this](std::function<void()> fn) {
                std::lock_guard lock(queueMutex);
                queue.push_back(std::move(fn));
                return true;
            },
            background, marks, [this] { return devices; }, [this] { return language; },
            [this](int row) { chosenRows.push_back(row); }, "3.0.0"});
        skin.setNotificationSink([w = window.get()](const skin::Notification& n) { w->notify(n); });
        window->setPages();
        window->windowInitialised();
        return window;
    }

    // Lets the background work finish, then runs what it handed to the GUI.
    void settle() {
        background.joinAll();
        std::deque<std::function<void()>> work;
        {
            std::lock_guard lock(queueMutex);
            work.swap(queue);
        }
        for (auto& fn : work)
            fn();
    }

    std::string text(std::string_view name) { return skin.at(name).text(); }
    bool visible(std::string_view name) { return skin.at(name).isVisible(); }
    bool enabled(std::string_view name) { return skin.at(name).isEnabled(); }

    FakeService fake;
    ServiceExchange exchange;
    UpdateConfig config;
    skin::MemorySkin skin;
    RecordingOpener opener;
    BackgroundWork background;
    UpdateMarks marks;
    AttachedFirmware devices;
    int language = 0;
    std::vector<int> chosenRows;
    std::mutex queueMutex;
    std::deque<std::function<void()>> queue;
};

TEST_F(UpdateWindowTest, WithNoDeviceOnlyTheSoftwareLineShows) {
    auto window = open();
    settle();
    for (const ProductLineControls& line : kProductLines) {
        if (!line.page.empty()) {
            EXPECT_FALSE(visible(line.page)) << line.page;
        }
    }
    EXPECT_EQ(text("soft_now_version"), "V3.0.0");
    EXPECT_EQ(text("soft_new_version"), "V3.0.5");
    EXPECT_TRUE(enabled("soft_update_btn"));
    EXPECT_EQ(skin.at(kLanguageCombo).currentRow(), 2);  // stored value 0
}

TEST_F(UpdateWindowTest, OnlyConfiguredPagesHaveAButtonThatWorks) {
    auto window = open();  // a web site, no social-media page
    EXPECT_TRUE(enabled(kWebSiteButton));
    EXPECT_FALSE(enabled(kSocialPageButton));
    skin.userClick(kWebSiteButton);
    settle();
    EXPECT_EQ(opener.opened, std::vector<std::string>{"https://example/"});
}

TEST_F(UpdateWindowTest, DeviceLinesCompareInstalledAndNewest) {
    // An RGB keyboard at 1.0.5 against 1.0.5, a model 0 mouse against 1.0.10.
    devices = {1, 0x0105, 1, 0x0104};
    auto window = open();
    settle();
    EXPECT_TRUE(visible("rgb_page"));
    EXPECT_FALSE(visible("blue_page"));
    EXPECT_TRUE(visible("ms_page"));
    EXPECT_FALSE(visible("MS2_page"));
    EXPECT_EQ(text("RGB_KB_N"), "V1.0.5");
    EXPECT_EQ(text("RGB_KB_F"), "V1.0.5");
    EXPECT_FALSE(enabled("rgb_kb_btn"));
    EXPECT_EQ(text("ms_now_fw"), "V1.0.4");
    EXPECT_EQ(text("ms_new"), "unknown");
    EXPECT_FALSE(enabled("ms_update_btn"));
}

TEST_F(UpdateWindowTest, CurrentFirmwareDisablesEveryLinesButton) {
    // The membrane keyboard and the model 2 mouse are treated like the others.
    devices = {3, 0x0105, 2, 0x0104};
    auto window = open();
    settle();
    EXPECT_EQ(text("REGION_KB_F"), "V1.0.5");
    EXPECT_FALSE(enabled("region_kb_btn"));
    EXPECT_EQ(text("MS2_new_F"), "V1.0.5");
    EXPECT_TRUE(enabled("ms2_update_btn"));  // 104 < 105
}

TEST_F(UpdateWindowTest, DevicesArrivingAndLeavingShowAndHideTheirLine) {
    auto window = open();
    settle();
    devices = {2, 0x0105, 0, 0};
    window->deviceMessage(0x0D53);
    EXPECT_TRUE(visible("blue_page"));
    EXPECT_EQ(text("BLUE_KB_N"), "V1.0.5");
    settle();
    EXPECT_EQ(text("BLUE_KB_F"), "V1.0.6");
    EXPECT_TRUE(enabled("bule_kb_btn"));

    window->deviceMessage(0x0D54);
    EXPECT_FALSE(visible("blue_page"));
    window->deviceMessage(0x0D5A);  // not a device message
}

TEST_F(UpdateWindowTest, ProgressShowsOnEveryMarkedLine) {
    devices = {1, 0x0100, 1, 0x0100};
    auto window = open();
    settle();
    skin.userClick("rgb_kb_btn");
    skin.userClick("ms_update_btn");
    settle();
    EXPECT_EQ(opener.opened,
              (std::vector<std::string>{"https://example/download", "https://example/download"}));

    window->updaterProgress(4, 100);
    for (auto [button, progress] : {std::pair{"rgb_kb_btn", "rgb_progress_text"},
                                    std::pair{"ms_update_btn", "ms_progress_text"}}) {
        EXPECT_FALSE(visible(button));
        EXPECT_TRUE(visible(progress));
        EXPECT_EQ(text(progress), "100%");
    }
    EXPECT_EQ(text("blue_progress_text"), "");

    // A failure is shown where the progress was, and ends the marks.
    window->updaterProgress(3, 12007);
    EXPECT_EQ(text("rgb_progress_text"), "Download fail, error code:12007");
    EXPECT_EQ(marks.updating, UpdateMarks{}.updating);

    window->updaterProgress(2, 0);
    EXPECT_TRUE(window->isOpen());
    skin.userClick("rgb_kb_btn");
    window->updaterProgress(1, 0);
    EXPECT_FALSE(window->isOpen());
    EXPECT_EQ(marks.updating, UpdateMarks{}.updating);
}

TEST_F(UpdateWindowTest, SoftwareWithoutAUsableVersionIsUnknown) {
    fake.versions["Kv024"] = "beta";
    auto window = open();
    settle();
    EXPECT_EQ(text("soft_new_version"), "unknown");
    EXPECT_FALSE(enabled("soft_update_btn"));

    config.serviceUrl.clear();  // nothing configured: nothing asked
    UpdateWindowTest::skin.at("soft_update_btn").setEnabled(true);
    auto unconfigured = open();
    settle();
    EXPECT_EQ(text("soft_new_version"), "unknown");
    EXPECT_FALSE(enabled("soft_update_btn"));
}

TEST_F(UpdateWindowTest, LanguageRowFollowsTheStoredValue) {
    language = 12;
    auto window = open();
    EXPECT_EQ(skin.at(kLanguageCombo).currentRow(), -1);
    window.reset();

    language = 1;
    skin.at(kLanguageCombo).selectRow(-1, false);
    window = open();
    EXPECT_EQ(skin.at(kLanguageCombo).currentRow(), 0);
    EXPECT_TRUE(chosenRows.empty()) << "the start-up selection raises no event";
    skin.userSelectRow(kLanguageCombo, 4);
    EXPECT_EQ(chosenRows, std::vector<int>{4});
    settle();
}

TEST_F(UpdateWindowTest, ClosingDoesNotWaitForAPendingQuery) {
    std::mutex m;
    std::condition_variable cv;
    bool asked = false;
    exchange = [&](std::string_view, std::span<const std::uint8_t>, std::stop_token stop) {
        {
            std::lock_guard lock(m);
            asked = true;
        }
        cv.notify_all();
        // Like a stalled server: only the stop ends it.
        std::mutex wait;
        std::condition_variable_any stopped;
        std::unique_lock lock(wait);
        stopped.wait(lock, stop, [] { return false; });
        HttpResponse r;
        r.outcome = HttpOutcome::cancelled;
        return r;
    };
    auto window = open();
    {
        std::unique_lock lock(m);
        cv.wait(lock, [&] { return asked; });
    }
    skin.userClick("closebtn");
    EXPECT_FALSE(window->isOpen());
    EXPECT_FALSE(skin.windowVisible());
    window.reset();
    settle();  // the query ends on the stop; what it delivers is dropped
    EXPECT_EQ(text("soft_new_version"), "");
}

}  // namespace
}  // namespace quillon::update
