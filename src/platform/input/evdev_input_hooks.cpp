#include "platform/input/evdev_input_hooks.h"

#include <fcntl.h>
#include <linux/input.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <optional>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "platform/abort_signal.h"
#include "platform/input/key_codes.h"

namespace quillon::platform {

namespace {

constexpr std::size_t kKeyBitBytes = KEY_MAX / 8 + 1;

struct InputDevice {
    int fd = -1;
    bool keyboard = false;
    bool mouse = false;
};

bool hasBit(const std::array<unsigned char, kKeyBitBytes>& bits, int bit) {
    return (bits[std::size_t(bit) / 8] >> (bit % 8)) & 1;
}

// Opens every event device of the folder that is a keyboard (has KEY_A) or a
// mouse (has BTN_LEFT); the others are closed at once.
std::vector<InputDevice> openDevices(const std::filesystem::path& folder) {
    std::vector<InputDevice> devices;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        if (entry.path().filename().string().rfind("event", 0) != 0)
            continue;
        const int fd = ::open(entry.path().c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue;
        std::array<unsigned char, kKeyBitBytes> keys{};
        InputDevice device{fd};
        if (::ioctl(fd, EVIOCGBIT(EV_KEY, keys.size()), keys.data()) >= 0) {
            device.keyboard = hasBit(keys, KEY_A);
            device.mouse = hasBit(keys, BTN_LEFT);
        }
        if (device.keyboard || device.mouse)
            devices.push_back(device);
        else
            ::close(fd);
    }
    return devices;
}

std::optional<InputButton> buttonOf(int code) {
    switch (code) {
        case BTN_LEFT:
            return InputButton::left;
        case BTN_RIGHT:
            return InputButton::right;
        case BTN_MIDDLE:
            return InputButton::middle;
        case BTN_SIDE:
            return InputButton::back;
        case BTN_EXTRA:
            return InputButton::forward;
        default:
            return std::nullopt;
    }
}

}  // namespace

struct EvdevInputHooks::Session {
    std::vector<InputDevice> devices;
    InputRequest request;
    InputSink sink;
    AbortSignal stop;
    std::thread thread;

    ~Session() {
        if (thread.joinable()) {
            stop.set();
            thread.join();
        }
        for (const InputDevice& d : devices)
            ::close(d.fd);  // closing also ends a grab
    }

    void deliver(const InputDevice& device, const input_event& raw) {
        // Value 2 is the kernel's auto-repeat: never a new press.
        if (raw.type != EV_KEY || raw.value > 1)
            return;
        InputEvent e;
        e.pressed = raw.value == 1;
        e.timeMs = std::uint64_t(raw.input_event_sec) * 1000 + raw.input_event_usec / 1000;
        if (const auto button = buttonOf(raw.code)) {
            if (!request.buttons || !device.mouse)
                return;
            e.type = InputEvent::Type::button;
            e.button = *button;
        } else {
            if (!request.keys || !device.keyboard)
                return;
            e.type = InputEvent::Type::key;
            e.virtualKey = virtualKeyFromEvdev(raw.code).value_or(0);
            e.extended = raw.code == KEY_KPENTER;
        }
        sink(e);
    }

    void run() {
        std::vector<pollfd> fds;
        for (const InputDevice& d : devices)
            fds.push_back({d.fd, POLLIN, 0});
        fds.push_back({stop.fd(), POLLIN, 0});
        for (;;) {
            if (::poll(fds.data(), fds.size(), -1) < 0) {
                if (errno == EINTR)
                    continue;
                return;
            }
            if (fds.back().revents & POLLIN)
                return;
            for (std::size_t i = 0; i + 1 < fds.size(); ++i) {
                if (fds[i].revents & (POLLERR | POLLHUP | POLLNVAL)) {
                    fds[i].fd = -1;  // unplugged: poll() skips it from now on
                    continue;
                }
                if (!(fds[i].revents & POLLIN))
                    continue;
                input_event events[64];
                const ssize_t n = ::read(fds[i].fd, events, sizeof events);
                for (ssize_t k = 0; n > 0 && k < n / ssize_t(sizeof(input_event)); ++k)
                    deliver(devices[i], events[k]);
            }
        }
    }
};

EvdevInputHooks::EvdevInputHooks(std::filesystem::path folder) : folder_(std::move(folder)) {}

EvdevInputHooks::~EvdevInputHooks() {
    stop();
}

bool EvdevInputHooks::available(const std::filesystem::path& folder) {
    const std::vector<InputDevice> devices = openDevices(folder);
    for (const InputDevice& d : devices)
        ::close(d.fd);
    return !devices.empty();
}

InputStartResult EvdevInputHooks::start(const InputRequest& request, InputSink sink) {
    stop();
    auto session = std::make_unique<Session>();
    session->devices = openDevices(folder_);
    session->request = request;
    bool anyKeyboard = false;
    for (const InputDevice& d : session->devices) {
        anyKeyboard = anyKeyboard || d.keyboard;
        if (request.keys && request.consumeKeys && d.keyboard && ::ioctl(d.fd, EVIOCGRAB, 1) != 0)
            return InputStartResult::grabFailed;  // the session's destructor closes them all
    }
    if (session->devices.empty() || (request.keys && !anyKeyboard))
        return InputStartResult::unavailable;
    session->sink = std::move(sink);
    Session* s = session.get();
    session->thread = std::thread([s] { s->run(); });
    session_ = std::move(session);
    return InputStartResult::ok;
}

void EvdevInputHooks::stop() {
    session_.reset();
}

bool EvdevInputHooks::running() const {
    return session_ != nullptr;
}

}  // namespace quillon::platform
