#include "platform/foreground/wlr_foreground.h"

#include <poll.h>
#include <wayland-client.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/foreground/app_id_executable.h"
#include "wlr-foreign-toplevel-management-unstable-v1-client-protocol.h"

namespace quillon::platform {

namespace {

// The newest version whose events this client knows.
constexpr std::uint32_t kManagerVersion = 3;
// How long opening the list may wait for a compositor that does not answer.
constexpr int kAnswerMs = 1000;

using Clock = std::chrono::steady_clock;

// Reads what the compositor sent within `timeoutMs` (0: only what is there)
// and dispatches it; false when the connection is gone.
bool pump(wl_display* display, int timeoutMs) {
    while (wl_display_prepare_read(display) != 0) {
        if (wl_display_dispatch_pending(display) < 0)
            return false;
    }
    if (wl_display_flush(display) < 0 && errno != EAGAIN) {
        wl_display_cancel_read(display);
        return false;
    }
    pollfd fd{wl_display_get_fd(display), POLLIN, 0};
    const int ready = ::poll(&fd, 1, timeoutMs);
    if (ready > 0 && (fd.revents & POLLIN) != 0) {
        if (wl_display_read_events(display) < 0)
            return false;
    } else {
        wl_display_cancel_read(display);
        if (ready > 0)
            return false;  // hung up or failed with nothing left to read
    }
    return wl_display_dispatch_pending(display) >= 0;
}

// A round trip that gives up after `timeoutMs`; false when it did not finish.
bool roundtrip(wl_display* display, int timeoutMs) {
    bool done = false;
    wl_callback* callback = wl_display_sync(display);
    static const wl_callback_listener listener{
        [](void* data, wl_callback*, std::uint32_t) { *static_cast<bool*>(data) = true; }};
    wl_callback_add_listener(callback, &listener, &done);
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0 || !pump(display, static_cast<int>(left)))
            break;
    }
    wl_callback_destroy(callback);
    return done;
}

}  // namespace

// One connection to the compositor and the toplevels it listed.
struct WlrForegroundProgram::Session {
    struct Toplevel {
        Session* session = nullptr;
        zwlr_foreign_toplevel_handle_v1* handle = nullptr;
        std::string appId, pendingAppId;
        bool activated = false, pendingActivated = false;
        std::uint64_t activatedAt = 0;  // later activations win when several say so
    };

    wl_display* display = nullptr;
    wl_registry* registry = nullptr;
    zwlr_foreign_toplevel_manager_v1* manager = nullptr;
    bool bind = false;     // listens to the list, or only asks whether there is one
    bool offered = false;  // the compositor has the global
    std::vector<std::unique_ptr<Toplevel>> toplevels;
    std::uint64_t activations = 0;

    Session(const std::string& name, bool bindManager);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    bool connected() const { return display != nullptr && wl_display_get_error(display) == 0; }

    const std::string& activeAppId() const {
        static const std::string none;
        const Toplevel* active = nullptr;
        for (const auto& toplevel : toplevels)
            if (toplevel->activated &&
                (active == nullptr || toplevel->activatedAt > active->activatedAt))
                active = toplevel.get();
        return active != nullptr ? active->appId : none;
    }

    void remove(Toplevel* toplevel) {
        zwlr_foreign_toplevel_handle_v1_destroy(toplevel->handle);
        std::erase_if(toplevels, [toplevel](const auto& t) { return t.get() == toplevel; });
    }

    static Toplevel& of(void* data) { return *static_cast<Toplevel*>(data); }

    static const wl_registry_listener registryListener;
    static const zwlr_foreign_toplevel_manager_v1_listener managerListener;
    static const zwlr_foreign_toplevel_handle_v1_listener toplevelListener;
};

const zwlr_foreign_toplevel_handle_v1_listener WlrForegroundProgram::Session::toplevelListener{
    .title = [](void*, zwlr_foreign_toplevel_handle_v1*, const char*) {},
    .app_id = [](void* data, zwlr_foreign_toplevel_handle_v1*,
                 const char* appId) { of(data).pendingAppId = appId != nullptr ? appId : ""; },
    .output_enter = [](void*, zwlr_foreign_toplevel_handle_v1*, wl_output*) {},
    .output_leave = [](void*, zwlr_foreign_toplevel_handle_v1*, wl_output*) {},
    .state =
        [](void* data, zwlr_foreign_toplevel_handle_v1*, wl_array* states) {
            bool activated = false;
            const auto* state = static_cast<const std::uint32_t*>(states->data);
            for (std::size_t i = 0; i < states->size / sizeof(std::uint32_t); ++i)
                activated |= state[i] == ZWLR_FOREIGN_TOPLEVEL_HANDLE_V1_STATE_ACTIVATED;
            of(data).pendingActivated = activated;
        },
    .done =
        [](void* data, zwlr_foreign_toplevel_handle_v1*) {
            Toplevel& t = of(data);
            if (t.pendingActivated && !t.activated)
                t.activatedAt = ++t.session->activations;
            t.activated = t.pendingActivated;
            t.appId = t.pendingAppId;
        },
    .closed =
        [](void* data, zwlr_foreign_toplevel_handle_v1*) {
            Toplevel& t = of(data);
            t.session->remove(&t);
        },
    .parent = [](void*, zwlr_foreign_toplevel_handle_v1*, zwlr_foreign_toplevel_handle_v1*) {},
};

const zwlr_foreign_toplevel_manager_v1_listener WlrForegroundProgram::Session::managerListener{
    .toplevel =
        [](void* data, zwlr_foreign_toplevel_manager_v1*, zwlr_foreign_toplevel_handle_v1* handle) {
            auto* session = static_cast<Session*>(data);
            auto toplevel = std::make_unique<Toplevel>();
            toplevel->session = session;
            toplevel->handle = handle;
            zwlr_foreign_toplevel_handle_v1_add_listener(handle, &toplevelListener, toplevel.get());
            session->toplevels.push_back(std::move(toplevel));
        },
    .finished =
        [](void* data, zwlr_foreign_toplevel_manager_v1* manager) {
            // The compositor is done with the list; the windows it listed stay
            // until each is closed.
            auto* session = static_cast<Session*>(data);
            zwlr_foreign_toplevel_manager_v1_destroy(manager);
            session->manager = nullptr;
        },
};

const wl_registry_listener WlrForegroundProgram::Session::registryListener{
    .global =
        [](void* data, wl_registry* registry, std::uint32_t name, const char* interface,
           std::uint32_t version) {
            auto* session = static_cast<Session*>(data);
            if (std::strcmp(interface, zwlr_foreign_toplevel_manager_v1_interface.name) != 0 ||
                session->offered)
                return;
            session->offered = true;
            if (!session->bind)
                return;
            session->manager = static_cast<zwlr_foreign_toplevel_manager_v1*>(
                wl_registry_bind(registry, name, &zwlr_foreign_toplevel_manager_v1_interface,
                                 std::min(version, kManagerVersion)));
            zwlr_foreign_toplevel_manager_v1_add_listener(session->manager, &managerListener,
                                                          session);
        },
    .global_remove = [](void*, wl_registry*, std::uint32_t) {},
};

WlrForegroundProgram::Session::Session(const std::string& name, bool bindManager)
    : bind(bindManager) {
    display = wl_display_connect(name.c_str());
    if (display == nullptr)
        return;
    registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &registryListener, this);
    // The globals, then (bound) the toplevels the compositor lists at once.
    if (roundtrip(display, kAnswerMs) && manager != nullptr)
        (void)roundtrip(display, kAnswerMs);  // a slow answer arrives with later reads
}

WlrForegroundProgram::Session::~Session() {
    for (const auto& toplevel : toplevels)
        zwlr_foreign_toplevel_handle_v1_destroy(toplevel->handle);
    if (manager != nullptr)
        zwlr_foreign_toplevel_manager_v1_destroy(manager);
    if (registry != nullptr)
        wl_registry_destroy(registry);
    if (display != nullptr)
        wl_display_disconnect(display);
}

WlrForegroundProgram::WlrForegroundProgram(const std::string& display, Resolver resolve)
    : display_(display), resolve_(std::move(resolve)) {
    if (display_.empty()) {
        const char* name = std::getenv("WAYLAND_DISPLAY");
        display_ = name != nullptr ? name : "";
    }
    if (!resolve_)
        resolve_ = [](const std::string& appId) {
            return appIdExecutable(appId, AppIdSearch::fromEnvironment());
        };
    if (display_.empty())
        return;
    const Session probe(display_, false);
    available_ = probe.connected() && probe.offered;
}

WlrForegroundProgram::~WlrForegroundProgram() = default;

bool WlrForegroundProgram::available() const {
    return available_;
}

const std::string& WlrForegroundProgram::activeAppId() const {
    return appId_;
}

void WlrForegroundProgram::setWatched(bool watched) {
    if (!available_ || watched == watched_)
        return;
    watched_ = watched;
    appId_.clear();
    executable_.clear();
    // Unwatched, the connection closes: a compositor never waits on us.
    session_ = watched ? std::make_unique<Session>(display_, true) : nullptr;
}

std::string WlrForegroundProgram::executable() {
    if (!available_)
        return {};
    if (!watched_)
        setWatched(true);
    if (session_ == nullptr)
        return {};
    if (!session_->connected() || !pump(session_->display, 0)) {
        // The compositor went away: nothing is in front any more.
        session_.reset();
        appId_.clear();
        executable_.clear();
        return {};
    }
    const std::string& active = session_->activeAppId();
    if (active != appId_) {
        appId_ = active;
        executable_ = active.empty() ? std::string() : resolve_(active);
    }
    return executable_;
}

}  // namespace quillon::platform
