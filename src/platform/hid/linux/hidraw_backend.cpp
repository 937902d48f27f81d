#include "platform/hid/linux/hidraw_backend.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <mutex>

#include "platform/hid/linux/file_descriptor.h"
#include "platform/hid/linux/hidraw_identity.h"
#include "platform/hid/linux/hidraw_path.h"
#include "platform/hid/linux/interface_list.h"
#include "platform/hid/linux/node_connection.h"
#include "platform/hid/linux/udev_handles.h"

namespace quillon::platform {
namespace {

// A monitor that keeps receiving would otherwise hold the caller here.
constexpr int kMaxHotplugEventsPerDrain = 64;

// The udev device of the character device `rdev`, if it is a hidraw node.
UdevDevicePtr hidrawDeviceOf(udev* u, dev_t rdev) {
    UdevDevicePtr dev(udev_device_new_from_devnum(u, 'c', rdev));
    if (!dev)
        return nullptr;
    const char* subsystem = udev_device_get_subsystem(dev.get());
    if (!subsystem || std::strcmp(subsystem, "hidraw") != 0)
        return nullptr;
    return dev;
}

class HidrawBackend final : public HidBackend {
  public:
    bool enumerate(std::vector<HidInterface>& interfaces) override;
    std::unique_ptr<HidConnection> open(const HidInterface& iface, HidOpenFlags flags) override;
    bool probe(const HidInterface& iface) override;
    int hotplugFd() override;
    void drainHotplug() override;

  private:
    std::mutex monitorMutex_;
    UdevPtr monitorUdev_;
    UdevMonitorPtr monitor_;
    bool monitorTried_ = false;
};

bool HidrawBackend::enumerate(std::vector<HidInterface>& interfaces) {
    interfaces.clear();
    // A context per call: libudev objects must not be shared between threads.
    UdevPtr u(udev_new());
    if (!u)
        return false;
    UdevEnumeratePtr e(udev_enumerate_new(u.get()));
    if (!e || udev_enumerate_add_match_subsystem(e.get(), "hidraw") < 0 ||
        udev_enumerate_scan_devices(e.get()) < 0)
        return false;

    std::vector<HidrawNode> nodes;
    udev_list_entry* item;
    udev_list_entry_foreach(item, udev_enumerate_get_list_entry(e.get())) {
        UdevDevicePtr dev(udev_device_new_from_syspath(u.get(), udev_list_entry_get_name(item)));
        if (!dev)
            continue;  // left while we looked
        const char* devnode = udev_device_get_devnode(dev.get());
        auto identity = readHidrawIdentity(dev.get());
        if (!devnode || !identity)
            continue;
        HidrawNode node{devnode, *identity, {}};
        // A node whose descriptor cannot be read has no collections to offer.
        if (readReportDescriptorBytes(dev.get(), node.descriptor))
            nodes.push_back(std::move(node));
    }
    interfaces = listInterfaces(nodes);
    return true;
}

std::unique_ptr<HidConnection> HidrawBackend::open(const HidInterface& iface, HidOpenFlags flags) {
    // Whatever the caller hands in, nothing but a hidraw node is ever opened.
    if (!isHidrawNodePath(iface.node))
        return nullptr;
    // hidraw knows no sharing modes, so `exclusive` only documents the
    // caller's intent; every transfer is bounded here, so `overlapped` changes
    // nothing either. Without read or write access the node is opened for its
    // identity only (O_PATH), like an open with no access rights.
    int mode = O_PATH;
    if (flags.read && flags.write)
        mode = O_RDWR;
    else if (flags.read)
        mode = O_RDONLY;
    else if (flags.write)
        mode = O_WRONLY;
    int fd;
    do {
        fd = ::open(iface.node.c_str(), mode | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    FileDescriptor owned(fd);
    if (!owned.valid())
        return nullptr;

    // Identity and descriptor of the node actually opened, in case its number
    // went to another device since the enumeration.
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISCHR(st.st_mode))
        return nullptr;
    UdevPtr u(udev_new());
    if (!u)
        return nullptr;
    UdevDevicePtr dev = hidrawDeviceOf(u.get(), st.st_rdev);
    if (!dev)
        return nullptr;
    const auto identity = readHidrawIdentity(dev.get());
    std::vector<std::uint8_t> bytes;
    if (!identity || !readReportDescriptorBytes(dev.get(), bytes))
        return nullptr;
    return connectCollection(owned.release(), iface, *identity, bytes);
}

bool HidrawBackend::probe(const HidInterface& iface) {
    if (!isHidrawNodePath(iface.node))
        return false;
    struct stat st;
    if (::stat(iface.node.c_str(), &st) != 0 || !S_ISCHR(st.st_mode))
        return false;
    UdevPtr u(udev_new());
    if (!u)
        return false;
    UdevDevicePtr dev = hidrawDeviceOf(u.get(), st.st_rdev);
    if (!dev)
        return false;
    const auto identity = readHidrawIdentity(dev.get());
    return identity && isSameDevice(iface, *identity);
}

int HidrawBackend::hotplugFd() {
    std::lock_guard lock(monitorMutex_);
    if (!monitorTried_) {
        monitorTried_ = true;
        // Events from udev rather than the kernel: they come after the rules
        // have given the user access to the node.
        monitorUdev_.reset(udev_new());
        if (monitorUdev_)
            monitor_.reset(udev_monitor_new_from_netlink(monitorUdev_.get(), "udev"));
        if (monitor_ && (udev_monitor_filter_add_match_subsystem_devtype(monitor_.get(), "hidraw",
                                                                         nullptr) < 0 ||
                         udev_monitor_enable_receiving(monitor_.get()) < 0))
            monitor_.reset();
    }
    return monitor_ ? udev_monitor_get_fd(monitor_.get()) : -1;
}

void HidrawBackend::drainHotplug() {
    std::lock_guard lock(monitorMutex_);
    if (!monitor_)
        return;
    // The monitor's socket is non-blocking: this returns when nothing is left.
    for (int i = 0; i < kMaxHotplugEventsPerDrain; ++i) {
        UdevDevicePtr dev(udev_monitor_receive_device(monitor_.get()));
        if (!dev)
            return;
    }
}

}  // namespace

std::unique_ptr<HidBackend> makeHidrawBackend() {
    return std::make_unique<HidrawBackend>();
}

}  // namespace quillon::platform
