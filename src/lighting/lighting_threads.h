#pragma once

// The four lighting threads: keyboard, mouse, mousepad and synchronised. Each
// waits out its start delay, then runs passes until it is asked to stop; every
// pause watches the stop request, so stopping takes at most one generator call.

#include <array>
#include <thread>

#include "lighting/lighting_engine.h"
#include "lighting/stop_signal.h"

namespace quillon::lighting {

struct ThreadStartDelays {
    int keyboardMs = 1000;
    int mouseMs = 3000;
    int mousepadMs = 3000;
    int syncMs = 0;
};

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
    std::array<StopSignal, 4> stops_;
    std::array<std::thread, 4> threads_;
    bool started_ = false;
};

}  // namespace quillon::lighting
