#pragma once

// The four lighting threads: keyboard, mouse, mousepad and synchronised. Each
// waits out its start delay, then runs passes until it is asked to stop; every
// pause watches the stop request, so stopping takes at most one generator call.
// The program runs them as workers of the application; LightingThreads runs
// the same bodies on threads of its own, for tools and tests.

#include <array>
#include <string_view>
#include <thread>

#include "lighting/lighting_engine.h"
#include "link/flag_watch.h"
#include "link/stop_signal.h"

namespace quillon::lighting {

enum class LightingThread : std::uint8_t { keyboard, mouse, mousepad, sync };

struct ThreadStartDelays {
    int keyboardMs = 1000;
    int mouseMs = 3000;
    int mousepadMs = 3000;
    int syncMs = 0;

    int of(LightingThread thread) const;
};

// Pauses that end early when the stop is requested. With a flag watch the
// wait for a link change sleeps until that change (or the stop) comes.
class StopPacer final : public Pacer {
  public:
    explicit StopPacer(const link::StopSignal& stop, link::FlagWatch* watch = nullptr);
    bool sleepMs(int ms) override;
    bool waitForLinkChange() override;
    std::uint32_t nowMs() const override;

  private:
    const link::StopSignal& stop_;
    link::FlagWatch* watch_;
    std::size_t waiter_ = link::FlagWatch::kMaxWaiters;
};

// The line a lighting thread writes to the debug output when it ends.
std::string_view exitLine(LightingThread thread);

// One lighting thread's whole life: the start delay, then passes until `stop`.
// Writes no exit line (its runner does). `watch` is told of the links' flag
// changes (nullptr: an idle pass naps instead of waiting).
void runLightingThread(LightingEngine& engine, const LightingChannels& channels,
                       const link::StopSignal& stop, LightingThread thread, int startDelayMs,
                       link::FlagWatch* watch = nullptr);

class LightingThreads {
  public:
    LightingThreads(LightingEngine& engine, const LightingChannels& channels)
        : engine_(engine), channels_(channels) {}
    ~LightingThreads() { stop(); }
    LightingThreads(const LightingThreads&) = delete;
    LightingThreads& operator=(const LightingThreads&) = delete;

    // Starts the four threads (once).
    void start(const ThreadStartDelays& delays = {});
    // Asks every thread to stop and waits for them.
    void stop();
    bool running() const { return started_; }

  private:
    LightingEngine& engine_;
    LightingChannels channels_;
    std::array<link::StopSignal, 4> stops_;
    std::array<std::thread, 4> threads_;
    bool started_ = false;
};

}  // namespace quillon::lighting
