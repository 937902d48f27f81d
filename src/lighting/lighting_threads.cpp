#include "lighting/lighting_threads.h"

#include <chrono>
#include <string_view>

#include "platform/debug_output.h"

namespace quillon::lighting {

namespace {

class StopPacer final : public Pacer {
  public:
    explicit StopPacer(StopSignal& stop) : stop_(stop) {}
    bool sleepMs(int ms) override { return !stop_.waitFor(ms); }
    std::uint32_t nowMs() const override {
        using namespace std::chrono;
        return static_cast<std::uint32_t>(
            duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
    }

  private:
    StopSignal& stop_;
};

using PassFunction = bool (*)(LightingEngine&, const LightingChannels&, Pacer&);

void runThread(LightingEngine& engine, const LightingChannels& channels, StopSignal& stop,
               int startDelayMs, PassFunction pass, std::string_view exitLine) {
    StopPacer pacer(stop);
    if (!stop.waitFor(startDelayMs)) {
        while (!stop.waitFor(1)) {
            if (!pass(engine, channels, pacer))
                break;
        }
    }
    platform::debugOutput(exitLine);
}

}  // namespace

void LightingThreads::start(const ThreadStartDelays& delays) {
    if (started_)
        return;
    started_ = true;
    threads_[0] =
        std::thread(runThread, std::ref(engine_), std::cref(channels_), std::ref(stops_[0]),
                    delays.keyboardMs, keyboardPass, "键盘灯光线程设定退出");
    threads_[1] =
        std::thread(runThread, std::ref(engine_), std::cref(channels_), std::ref(stops_[1]),
                    delays.mouseMs, mousePass, "鼠标灯光线程设定退出");
    threads_[2] =
        std::thread(runThread, std::ref(engine_), std::cref(channels_), std::ref(stops_[2]),
                    delays.mousepadMs, mousepadPass, "鼠标垫灯光线程设定退出");
    threads_[3] = std::thread(runThread, std::ref(engine_), std::cref(channels_),
                              std::ref(stops_[3]), delays.syncMs, syncPass, "同步灯光线程设定退出");
}

void LightingThreads::stop() {
    for (StopSignal& s : stops_)
        s.set();
    for (std::thread& t : threads_) {
        if (t.joinable())
            t.join();
    }
}

}  // namespace quillon::lighting
