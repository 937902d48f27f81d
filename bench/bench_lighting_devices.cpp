// Cost of one frame of every one-colour, membrane, mouse, mousepad and
// synchronised mode: the generator call with its settings snapshot, mirror
// drawing and hand-over to the device channels (sinks here). Counts heap
// allocations per frame with a replaced global operator new; the target is none.

#include <benchmark/benchmark.h>

#include "lighting/lighting_engine.h"
#include "support/allocation_counter.h"

namespace {

using namespace quillon::lighting;

class SinkChannel final : public DeviceChannel {
  public:
    explicit SinkChannel(bool synced) : synced_(synced) {}
    bool connected() const override { return true; }
    bool syncLighting() const override { return synced_; }
    void sendFrame(std::span<const std::uint8_t> frame) override {
        benchmark::DoNotOptimize(frame.data());
    }

  private:
    bool synced_;
};

// Pauses cost nothing; the clock moves 10 ms per call so click flashes end.
class FreePacer final : public Pacer {
  public:
    bool sleepMs(int) override { return true; }
    std::uint32_t nowMs() const override { return now_ += 10; }

  private:
    mutable std::uint32_t now_ = 0;
};

LightingRecord& recordOf(LightingRecords& r, LightingKind kind) {
    switch (kind) {
        case LightingKind::mouse:
            return r.mouse.lighting;
        case LightingKind::mousepad:
            return r.mousepad.lighting;
        case LightingKind::sync:
            return r.sync;
        default:
            return r.keyboard.lighting;
    }
}

void runFrames(benchmark::State& state, LightingKind kind, std::uint8_t keyboardVariant) {
    const auto mode = static_cast<std::uint8_t>(state.range(0));
    const auto multi = static_cast<std::uint8_t>(state.range(1));
    quillon::link::DeviceIdentity identity;
    LightingEngine engine{identity};
    identity.keyboardVariant = quillon::link::keyboardVariantOf(keyboardVariant);
    const LightingRecord record{mode, 14, 0, 1, multi, 200, 100, 50};
    engine.settings.edit([&](LightingRecords& r) { recordOf(r, kind) = record; });
    engine.requestModeSelection(kind, mode);
    const bool sync = kind == LightingKind::sync;
    SinkChannel keyboard(sync), mouse(sync), mousepad(sync);
    const LightingChannels channels{keyboard, mouse, mousepad};
    DeviceChannel& own = kind == LightingKind::mouse      ? static_cast<DeviceChannel&>(mouse)
                         : kind == LightingKind::mousepad ? static_cast<DeviceChannel&>(mousepad)
                                                          : static_cast<DeviceChannel&>(keyboard);
    FreePacer pacer;
    (void)engine.runGenerator(kind, record, own, channels, pacer);

    const long before = quillon::testing::allocationCount.load();
    std::uint32_t tick = 0;
    for (auto _ : state) {
        // A click every 50 frames keeps the flash modes flashing.
        if (++tick % 50 == 0) {
            engine.signals.mouseClickPulse = true;
            engine.signals.mousepadClickPulse = true;
        }
        (void)engine.runGenerator(kind, record, own, channels, pacer);
        engine.frameTick.fetch_add(1);
    }
    const long allocations = quillon::testing::allocationCount.load() - before;
    state.counters["allocs_per_frame"] = benchmark::Counter(
        static_cast<double>(allocations) / static_cast<double>(state.iterations()));
    if (allocations != 0)
        state.SkipWithError("frames allocate");
}

void BM_OneColourFrame(benchmark::State& s) {
    runFrames(s, LightingKind::oneColourKeyboard, 1);
}
void BM_MembraneFrame(benchmark::State& s) {
    runFrames(s, LightingKind::membraneKeyboard, 2);
}
void BM_MouseFrame(benchmark::State& s) {
    runFrames(s, LightingKind::mouse, 0);
}
void BM_MousepadFrame(benchmark::State& s) {
    runFrames(s, LightingKind::mousepad, 0);
}
void BM_SyncFrameRgbKeyboard(benchmark::State& s) {
    runFrames(s, LightingKind::sync, 0);
}
void BM_SyncFrameMembraneKeyboard(benchmark::State& s) {
    runFrames(s, LightingKind::sync, 2);
}

template <int Modes>
void modes(benchmark::internal::Benchmark* b) {
    for (int mode = 0; mode < Modes; ++mode) {
        for (int multi = 0; multi < 2; ++multi)
            b->Args({mode, multi});
    }
}

BENCHMARK(BM_OneColourFrame)->Apply(modes<12>)->ArgNames({"mode", "multi"});
BENCHMARK(BM_MembraneFrame)->Apply(modes<7>)->ArgNames({"mode", "multi"});
BENCHMARK(BM_MouseFrame)->Apply(modes<9>)->ArgNames({"mode", "multi"});
BENCHMARK(BM_MousepadFrame)->Apply(modes<9>)->ArgNames({"mode", "multi"});
BENCHMARK(BM_SyncFrameRgbKeyboard)->Apply(modes<4>)->ArgNames({"mode", "multi"});
BENCHMARK(BM_SyncFrameMembraneKeyboard)->Apply(modes<4>)->ArgNames({"mode", "multi"});

}  // namespace

BENCHMARK_MAIN();
