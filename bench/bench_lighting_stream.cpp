// CPU cost of the keyboard lighting thread streaming mode 3 at speed 0 to the
// emulated RGB keyboard over a link with 1 ms per report, as the program runs
// it all day. Prints frames per second and the process's CPU use (the
// emulated device's side is included, so the figure is an upper bound).
//
//   bench_lighting_stream [seconds]

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "emu/virtual_bus.h"
#include "lighting/lighting_engine.h"
#include "lighting/lighting_threads.h"
#include "lighting/link_channel.h"
#include "link/interface_scan.h"

namespace {

double cpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace quillon;
    const double seconds = argc > 1 ? std::atof(argv[1]) : 5.0;
    emu::VirtualBus bus;
    auto keyboard = bus.plug(link::kProducts[0]);
    keyboard->setLatency(std::chrono::milliseconds(1));
    link::DeviceLink kbLink(bus), mouseLink(bus), padLink(bus);
    kbLink.setMatch(link::DeviceKind::keyboard);
    if (!link::connectFirst(kbLink, link::DeviceKind::keyboard)) {
        std::fprintf(stderr, "no emulated keyboard\n");
        return 1;
    }
    link::DeviceIdentity identity;
    lighting::LightingEngine engine{identity};
    engine.settings.edit(
        [](lighting::LightingRecords& r) { r.keyboard.lighting = {3, 14, 0, 1, 1, 0xFF, 0, 0}; });
    lighting::LinkChannel kb(kbLink), mouse(mouseLink), pad(padLink);
    shell::WorkerSet threads;
    lighting::setLightingBodies(threads, engine, {kb, mouse, pad}, nullptr, {0, 0, 0, 0});
    threads.start();
    std::this_thread::sleep_for(std::chrono::milliseconds(200));

    const auto frames0 = keyboard->frameCount();
    const double cpu0 = cpuSeconds();
    const auto t0 = std::chrono::steady_clock::now();
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    const double cpu = cpuSeconds() - cpu0;
    const auto frames = keyboard->frameCount() - frames0;
    (void)threads.stop();

    std::printf(
        "mode 3, speed 0, 1 ms per report: %.1f frames/s, CPU %.2f %% of one core "
        "(%.1f ms per second), %.1f us CPU per frame\n",
        double(frames) / wall, 100.0 * cpu / wall, 1000.0 * cpu / wall,
        frames ? 1e6 * cpu / double(frames) : 0.0);
    return 0;
}
