// Cost of one keyboard frame for every RGB mode: the generator call with its
// settings snapshot, custom-set copy, mirror drawing and hand-over to the
// device channel (a sink here). Also counts heap allocations per frame with a
// replaced global operator new; the target is none.

#include <benchmark/benchmark.h>

#include "lighting/lighting_engine.h"
#include "support/allocation_counter.h"

namespace {

using namespace quillon::lighting;

class SinkChannel final : public DeviceChannel {
  public:
    bool connected() const override { return true; }
    bool syncLighting() const override { return false; }
    void sendFrame(std::span<const std::uint8_t> frame) override {
        benchmark::DoNotOptimize(frame.data());
    }
};

class FreePacer final : public Pacer {
  public:
    bool sleepMs(int) override { return true; }
    std::uint32_t nowMs() const override { return 0; }
};

void BM_RgbFrame(benchmark::State& state) {
    const auto mode = static_cast<std::uint8_t>(state.range(0));
    const auto multi = static_cast<std::uint8_t>(state.range(1));
    quillon::link::DeviceIdentity identity;
    LightingEngine engine{identity};
    const LightingRecord record{mode, 14, 0, 1, multi, 200, 100, 50};
    engine.settings.edit([&](LightingRecords& r) { r.keyboard.lighting = record; });
    engine.requestModeSelection(LightingKind::rgbKeyboard, mode);
    SinkChannel sink;
    const LightingChannels channels{sink, sink, sink};
    FreePacer pacer;
    (void)engine.runGenerator(LightingKind::rgbKeyboard, record, sink, channels, pacer);

    const long before = quillon::testing::allocationCount.load();
    for (auto _ : state) {
        (void)engine.runGenerator(LightingKind::rgbKeyboard, record, sink, channels, pacer);
        engine.frameTick.fetch_add(1);
    }
    const long allocations = quillon::testing::allocationCount.load() - before;
    state.counters["allocs_per_frame"] = benchmark::Counter(
        static_cast<double>(allocations) / static_cast<double>(state.iterations()));
    if (allocations != 0)
        state.SkipWithError("frames allocate");
}

void modes(benchmark::internal::Benchmark* b) {
    for (int mode = 0; mode < 16; ++mode) {
        for (int multi = 0; multi < 2; ++multi)
            b->Args({mode, multi});
    }
}

BENCHMARK(BM_RgbFrame)->Apply(modes)->ArgNames({"mode", "multi"});

}  // namespace

BENCHMARK_MAIN();
