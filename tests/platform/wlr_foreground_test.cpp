// The foreground program from a compositor's toplevel list, over the real
// wire: a small compositor on libwayland-server runs on a thread of the test.

#include "platform/foreground/wlr_foreground.h"

#include <gtest/gtest.h>
#include <sys/eventfd.h>
#include <unistd.h>
#include <wayland-server.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <future>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "profiles/temp_folder.h"
#include "wlr-foreign-toplevel-management-unstable-v1-server-protocol.h"

namespace quillon::platform {
namespace {

using profiles::testing::TempFolder;

// A compositor that lists toplevels to every client that binds the list.
// Its state lives on its own thread; the test changes it through run().
class FakeCompositor {
  public:
    explicit FakeCompositor(const std::string& socket, bool offerList = true) : socket_(socket) {
        std::promise<void> up;
        thread_ = std::thread([this, offerList, &up] {
            display_ = wl_display_create();
            (void)wl_display_add_socket(display_, socket_.c_str());
            if (offerList)
                wl_global_create(display_, &zwlr_foreign_toplevel_manager_v1_interface, 3, this,
                                 bindManager);
            wl_event_source* jobs = wl_event_loop_add_fd(wl_display_get_event_loop(display_), jobs_,
                                                         WL_EVENT_READABLE, runJobs, this);
            up.set_value();
            wl_display_run(display_);
            wl_event_source_remove(jobs);
            wl_display_destroy_clients(display_);
            wl_display_destroy(display_);
        });
        up.get_future().wait();
    }
    ~FakeCompositor() {
        run([this] { wl_display_terminate(display_); });
        thread_.join();
        ::close(jobs_);
    }

    int addToplevel(const std::string& appId, bool activated) {
        int id = 0;
        run([&] {
            id = static_cast<int>(toplevels_.size());
            Toplevel& t = toplevels_[id];
            t.appId = appId;
            t.activated = activated;
            for (wl_resource* manager : managers_)
                announce(manager, t);
        });
        return id;
    }
    // The one toplevel activated; all others lose it.
    void activate(int id) {
        run([&] {
            for (auto& [key, t] : toplevels_)
                if (!t.closed && t.activated != (key == id)) {
                    t.activated = key == id;
                    for (wl_resource* handle : t.handles) {
                        sendState(handle, t);
                        zwlr_foreign_toplevel_handle_v1_send_done(handle);
                    }
                }
        });
    }
    void setAppId(int id, const std::string& appId) {
        run([&] {
            Toplevel& t = toplevels_[id];
            t.appId = appId;
            for (wl_resource* handle : t.handles) {
                zwlr_foreign_toplevel_handle_v1_send_app_id(handle, appId.c_str());
                zwlr_foreign_toplevel_handle_v1_send_done(handle);
            }
        });
    }
    void close(int id) {
        run([&] {
            Toplevel& t = toplevels_[id];
            t.closed = true;
            for (wl_resource* handle : t.handles)
                zwlr_foreign_toplevel_handle_v1_send_closed(handle);
        });
    }
    void disconnectClients() {
        run([this] {
            wl_list* clients = wl_display_get_client_list(display_);
            while (!wl_list_empty(clients))
                wl_client_destroy(wl_client_from_link(clients->next));
        });
    }
    int clients() {
        int count = 0;
        run([&] { count = wl_list_length(wl_display_get_client_list(display_)); });
        return count;
    }

  private:
    struct Toplevel {
        std::string appId;
        bool activated = false;
        bool closed = false;
        std::vector<wl_resource*> handles;
    };

    // Runs `job` on the compositor's thread and waits for it.
    void run(const std::function<void()>& job) {
        std::promise<void> done;
        {
            const std::lock_guard lock(mutex_);
            pending_.push_back([&] {
                job();
                done.set_value();
            });
        }
        const std::uint64_t one = 1;
        ASSERT_EQ(::write(jobs_, &one, sizeof one), static_cast<ssize_t>(sizeof one));
        done.get_future().wait();
    }
    static int runJobs(int fd, std::uint32_t, void* data) {
        auto* self = static_cast<FakeCompositor*>(data);
        std::uint64_t count = 0;
        (void)::read(fd, &count, sizeof count);
        std::vector<std::function<void()>> jobs;
        {
            const std::lock_guard lock(self->mutex_);
            jobs.swap(self->pending_);
        }
        for (const auto& job : jobs)
            job();
        return 0;
    }

    static void sendState(wl_resource* handle, const Toplevel& t) {
        wl_array states;
        wl_array_init(&states);
        if (t.activated)
            *static_cast<std::uint32_t*>(wl_array_add(&states, sizeof(std::uint32_t))) =
                ZWLR_FOREIGN_TOPLEVEL_HANDLE_V1_STATE_ACTIVATED;
        zwlr_foreign_toplevel_handle_v1_send_state(handle, &states);
        wl_array_release(&states);
    }
    void announce(wl_resource* manager, Toplevel& t) {
        wl_resource* handle = wl_resource_create(wl_resource_get_client(manager),
                                                 &zwlr_foreign_toplevel_handle_v1_interface,
                                                 wl_resource_get_version(manager), 0);
        wl_resource_set_implementation(handle, &kHandleRequests, &t, [](wl_resource* r) {
            std::erase(static_cast<Toplevel*>(wl_resource_get_user_data(r))->handles, r);
        });
        t.handles.push_back(handle);
        zwlr_foreign_toplevel_manager_v1_send_toplevel(manager, handle);
        zwlr_foreign_toplevel_handle_v1_send_title(handle, "a window");
        zwlr_foreign_toplevel_handle_v1_send_app_id(handle, t.appId.c_str());
        sendState(handle, t);
        zwlr_foreign_toplevel_handle_v1_send_done(handle);
    }
    static void bindManager(wl_client* client, void* data, std::uint32_t version,
                            std::uint32_t id) {
        auto* self = static_cast<FakeCompositor*>(data);
        wl_resource* manager = wl_resource_create(
            client, &zwlr_foreign_toplevel_manager_v1_interface, static_cast<int>(version), id);
        wl_resource_set_implementation(manager, &kManagerRequests, self, [](wl_resource* r) {
            std::erase(static_cast<FakeCompositor*>(wl_resource_get_user_data(r))->managers_, r);
        });
        self->managers_.push_back(manager);
        for (auto& [key, t] : self->toplevels_)
            if (!t.closed)
                self->announce(manager, t);
    }

    static constexpr struct zwlr_foreign_toplevel_manager_v1_interface kManagerRequests {
        .stop = [](wl_client*, wl_resource* manager) {
            zwlr_foreign_toplevel_manager_v1_send_finished(manager);
            wl_resource_destroy(manager);
        },
    };
    static constexpr struct zwlr_foreign_toplevel_handle_v1_interface kHandleRequests {
        .set_maximized = [](wl_client*, wl_resource*) {},
        .unset_maximized = [](wl_client*, wl_resource*) {},
        .set_minimized = [](wl_client*, wl_resource*) {},
        .unset_minimized = [](wl_client*, wl_resource*) {},
        .activate = [](wl_client*, wl_resource*, wl_resource*) {},
        .close = [](wl_client*, wl_resource*) {},
        .set_rectangle = [](wl_client*, wl_resource*, wl_resource*, std::int32_t, std::int32_t,
                            std::int32_t, std::int32_t) {},
        .destroy = [](wl_client*, wl_resource* handle) { wl_resource_destroy(handle); },
        .set_fullscreen = [](wl_client*, wl_resource*, wl_resource*) {},
        .unset_fullscreen = [](wl_client*, wl_resource*) {},
    };

    std::string socket_;
    wl_display* display_ = nullptr;
    int jobs_ = ::eventfd(0, EFD_CLOEXEC);
    std::mutex mutex_;
    std::vector<std::function<void()>> pending_;
    std::map<int, Toplevel> toplevels_;
    std::vector<wl_resource*> managers_;
    std::thread thread_;
};

// The sockets live in a runtime folder of the test's own.
class WlrForeground : public ::testing::Test {
  protected:
    void SetUp() override { ::setenv("XDG_RUNTIME_DIR", runtime_.path().c_str(), 1); }

    // The program the source reports once the compositor's news arrived
    // (the source never waits for it itself).
    static std::string settled(WlrForegroundProgram& source, const std::string& expected) {
        std::string seen;
        for (int i = 0; i < 200; ++i) {
            seen = source.executable();
            if (seen == expected)
                break;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return seen;
    }
    template <typename Condition>
    static bool eventually(Condition condition) {
        for (int i = 0; i < 200 && !condition(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return condition();
    }

    TempFolder runtime_;
    std::vector<std::string> resolved_;  // every app_id the source asked about
    WlrForegroundProgram::Resolver resolver() {
        return [this](const std::string& appId) {
            resolved_.push_back(appId);
            return "/opt/" + appId + "/bin/" + appId;
        };
    }
};

TEST_F(WlrForeground, FollowsTheActivatedToplevel) {
    FakeCompositor compositor("wl-test");
    const int editor = compositor.addToplevel("editor", false);
    compositor.addToplevel("game", true);
    WlrForegroundProgram source("wl-test", resolver());
    ASSERT_TRUE(source.available());

    EXPECT_EQ(settled(source, "/opt/game/bin/game"), "/opt/game/bin/game");
    // Nothing changed: no lookup again.
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(source.executable(), "/opt/game/bin/game");
    EXPECT_EQ(resolved_, std::vector<std::string>{"game"});

    compositor.activate(editor);
    EXPECT_EQ(settled(source, "/opt/editor/bin/editor"), "/opt/editor/bin/editor");
    compositor.setAppId(editor, "writer");
    EXPECT_EQ(settled(source, "/opt/writer/bin/writer"), "/opt/writer/bin/writer");
    // A toplevel opened already activated takes over.
    const int viewer = compositor.addToplevel("viewer", true);
    EXPECT_EQ(settled(source, "/opt/viewer/bin/viewer"), "/opt/viewer/bin/viewer");
    compositor.close(viewer);
    EXPECT_EQ(settled(source, "/opt/writer/bin/writer"), "/opt/writer/bin/writer");
    compositor.close(editor);
    EXPECT_EQ(settled(source, ""), "");
}

TEST_F(WlrForeground, ConnectedOnlyWhileWatched) {
    FakeCompositor compositor("wl-test");
    compositor.addToplevel("game", true);
    WlrForegroundProgram source("wl-test", resolver());
    ASSERT_TRUE(source.available());
    EXPECT_TRUE(eventually([&] { return compositor.clients() == 0; }));  // the probe is gone

    source.setWatched(true);
    EXPECT_EQ(compositor.clients(), 1);
    // The list as it stood when the watch began is there on the first ask.
    EXPECT_EQ(source.executable(), "/opt/game/bin/game");
    source.setWatched(false);
    EXPECT_TRUE(eventually([&] { return compositor.clients() == 0; }));
    source.setWatched(true);
    EXPECT_EQ(source.executable(), "/opt/game/bin/game");
}

TEST_F(WlrForeground, NotAvailableWithoutTheList) {
    FakeCompositor compositor("wl-plain", false);
    WlrForegroundProgram plain("wl-plain", resolver());
    EXPECT_FALSE(plain.available());
    plain.setWatched(true);
    EXPECT_EQ(plain.executable(), "");
    EXPECT_TRUE(eventually([&] { return compositor.clients() == 0; }));

    WlrForegroundProgram nobody("wl-nobody", resolver());
    EXPECT_FALSE(nobody.available());
    EXPECT_EQ(nobody.executable(), "");
    EXPECT_TRUE(resolved_.empty());
}

TEST_F(WlrForeground, ACompositorThatHangsUpLeavesNothingInFront) {
    FakeCompositor compositor("wl-test");
    compositor.addToplevel("game", true);
    WlrForegroundProgram source("wl-test", resolver());
    EXPECT_EQ(settled(source, "/opt/game/bin/game"), "/opt/game/bin/game");
    compositor.disconnectClients();
    EXPECT_EQ(settled(source, ""), "");
    EXPECT_EQ(source.executable(), "");
    EXPECT_TRUE(source.available());
}

TEST_F(WlrForeground, TheDesktopsSourceInAWaylandSessionIsTheList) {
    const char* display = std::getenv("DISPLAY");
    const std::string x11 = display != nullptr ? display : "";
    ::unsetenv("DISPLAY");
    ::setenv("WAYLAND_DISPLAY", "wl-desktop", 1);
    {
        FakeCompositor compositor("wl-desktop");
        compositor.addToplevel("sh", true);
        auto source = makeDesktopForegroundProgram();
        ASSERT_TRUE(source->available());
        // The app_id found the way a desktop would, as its real file.
        const std::string shell = std::filesystem::canonical("/bin/sh").string();
        for (int i = 0; i < 200 && source->executable() != shell; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        EXPECT_EQ(source->executable(), shell);
    }
    {
        // Neither the list nor X11: honestly none.
        FakeCompositor compositor("wl-desktop", false);
        EXPECT_FALSE(makeDesktopForegroundProgram()->available());
    }
    ::unsetenv("WAYLAND_DISPLAY");
    if (!x11.empty())
        ::setenv("DISPLAY", x11.c_str(), 1);
}

}  // namespace
}  // namespace quillon::platform
