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
    std::vector<std::string> paths{"stale"};
    ASSERT_TRUE(backend->enumerate(paths));
    for (const std::string& p : paths) {
        const auto parsed = parseHidrawPath(p);
        ASSERT_TRUE(parsed) << p;
    }
    for (std::size_t i = 1; i < paths.size(); ++i) {
        const auto a = parseHidrawPath(paths[i - 1]);
        const auto b = parseHidrawPath(paths[i]);
        const auto na = *hidrawNumber(a->node), nb = *hidrawNumber(b->node);
        EXPECT_TRUE(na < nb || (na == nb && a->collection < b->collection)) << paths[i];
    }
    std::vector<std::string> again;
    ASSERT_TRUE(backend->enumerate(again));
    EXPECT_EQ(paths, again);
}

TEST(HidrawBackend, PathsThatNameNoPresentNodeNeitherOpenNorProbe) {
    auto backend = makeHidrawBackend();
    const HidOpenFlags rw{true, true, true, false};
    for (const char* path : {"/dev/hidraw999#vid_0c45&pid_8611#", "/dev/null#vid_0c45&pid_8611#",
                             "/dev/hidraw0", "", "garbage"}) {
        EXPECT_EQ(backend->open(path, rw), nullptr) << path;
        EXPECT_FALSE(backend->probe(path)) << path;
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
