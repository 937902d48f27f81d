#pragma once

// The four lighting threads: keyboard, mouse, mousepad and synchronised. Each
// waits out its start delay, then runs passes until it is asked to stop; every
// pause watches the stop request, so stopping takes at most one generator call.
// They run as workers of a shell::WorkerSet.

#include <array>
#include <string_view>

#include "lighting/lighting_engine.h"
#include "link/flag_watch.h"
#include "link/stop_signal.h"
#include "shell/worker_set.h"

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

// Sets the bodies of the four lighting workers: the program's lighting
// module, tools and tests all run the lighting threads this way. `watch` as
// for runLightingThread.
void setLightingBodies(shell::WorkerSet& workers, LightingEngine& engine,
                       const LightingChannels& channels, link::FlagWatch* watch = nullptr,
                       const ThreadStartDelays& delays = {});

}  // namespace quillon::lighting
