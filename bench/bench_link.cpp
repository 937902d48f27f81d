// Costs of the report protocol against the emulated keyboard: one exchange,
// one 378-byte lighting frame, the allocations a frame makes, and the frame
// rate a 1 ms link allows.

#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <cstdlib>

#include "emu/virtual_bus.h"
#include "link/interface_scan.h"
#include "link/protocol.h"
#include "support/allocation_counter.h"

namespace {

using namespace quillon;

struct KeyboardOnBus {
    emu::VirtualBus bus;
    std::shared_ptr<emu::EmulatedDevice> device = bus.plug(link::kProducts[0]);
    link::DeviceLink link{bus};
    KeyboardOnBus() {
        link.setMatch(link::DeviceKind::keyboard);
        if (!link::connectFirst(link, link::DeviceKind::keyboard))
            std::abort();
    }
};

void BM_Exchange(benchmark::State& state) {
    KeyboardOnBus k;
    const link::CommandReport request = link::buildRequest(link::CMD_BEGIN);
    link::CommandReport answer;
    for (auto _ : state) {
        if (link::exchange(k.link, request, answer) != link::STATUS_OK)
            state.SkipWithError("no answer");
    }
    state.counters["ns_per_report"] = benchmark::Counter(
        double(state.iterations()), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_Exchange);

void BM_RgbFrame(benchmark::State& state) {
    KeyboardOnBus k;
    std::array<std::uint8_t, 378> frame{};
    (void)link::sendLedFrame(k.link, frame);  // warm up queues and the trace-free path
    const long before = quillon::testing::allocationCount.load();
    for (auto _ : state) {
        frame[0]++;
        if (link::sendLedFrame(k.link, frame) != link::STATUS_OK)
            state.SkipWithError("frame failed");
    }
    const long allocations = quillon::testing::allocationCount.load() - before;
    state.counters["allocs_per_frame"] = double(allocations) / double(state.iterations());
    state.counters["ns_per_report"] = benchmark::Counter(
        double(state.iterations() * 7), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_RgbFrame);

void BM_RgbFrameAt1msLatency(benchmark::State& state) {
    KeyboardOnBus k;
    k.device->setLatency(std::chrono::milliseconds(1));
    std::array<std::uint8_t, 378> frame{};
    for (auto _ : state) {
        if (link::sendLedFrame(k.link, frame) != link::STATUS_OK)
            state.SkipWithError("frame failed");
    }
    state.counters["frames_per_s"] =
        benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_RgbFrameAt1msLatency)->UseRealTime()->MinTime(1.0);

}  // namespace

BENCHMARK_MAIN();
