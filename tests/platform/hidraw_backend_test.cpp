#include "platform/hid/linux/hidraw_backend.h"

#include <gtest/gtest.h>
#include <poll.h>

#include <chrono>

#include "platform/hid/linux/hidraw_path.h"

namespace quillon::platform {
namespace {

// These run against the real system, which may have no hidraw node at all.

TEST(HidrawBackend, EnumerationListsEveryNodeInOrder) {
    auto backend = makeHidrawBackend();
    std::vector<HidInterface> interfaces(1);  // stale entries go
    ASSERT_TRUE(backend->enumerate(interfaces));
    for (const HidInterface& i : interfaces)
        ASSERT_TRUE(isHidrawNodePath(i.node)) << i.node;
    for (std::size_t i = 1; i < interfaces.size(); ++i) {
        const HidInterface& a = interfaces[i - 1];
        const HidInterface& b = interfaces[i];
        const auto na = *hidrawNumber(a.node), nb = *hidrawNumber(b.node);
        EXPECT_TRUE(na < nb || (na == nb && a.collectionIndex < b.collectionIndex)) << b.node;
    }
    std::vector<HidInterface> again;
    ASSERT_TRUE(backend->enumerate(again));
    EXPECT_EQ(interfaces, again);
}

TEST(HidrawBackend, InterfacesThatNameNoPresentNodeNeitherOpenNorProbe) {
    auto backend = makeHidrawBackend();
    const HidOpenFlags rw{true, true, true, false};
    for (const char* node : {"/dev/hidraw999", "/dev/null", "/dev/tty", "", "garbage"}) {
        HidInterface iface;
        iface.node = node;
        iface.vendorId = 0x0C45;
        iface.productId = 0x8611;
        EXPECT_EQ(backend->open(iface, rw), nullptr) << node;
        EXPECT_FALSE(backend->probe(iface)) << node;
    }
}

TEST(HidrawBackend, HotplugDrainNeverBlocks) {
    auto backend = makeHidrawBackend();
    const int fd = backend->hotplugFd();
    EXPECT_EQ(backend->hotplugFd(), fd);  // one monitor, made once
    const auto start = std::chrono::steady_clock::now();
    backend->drainHotplug();
    backend->drainHotplug();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100));
    if (fd >= 0) {
        pollfd p{fd, POLLIN, 0};
        EXPECT_GE(::poll(&p, 1, 0), 0);
    }
}

}  // namespace
}  // namespace quillon::platform
