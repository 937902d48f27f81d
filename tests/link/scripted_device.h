#pragma once

// A HID backend with one scripted command interface, for testing the link
// without the emulator: every write is recorded and a responder decides the
// answer (or silence). Reads wait on the abort signal like real ones.

#include <poll.h>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <vector>

#include "link/command_report.h"
#include "platform/hid/hid_backend.h"

namespace quillon::testing {

struct ScriptedDevice final : platform::HidBackend {
    using Report = std::array<std::uint8_t, 64>;
    // Returns the answer to a request, or nullopt for no answer.
    std::function<std::optional<Report>(const Report&)> responder;
    std::vector<platform::HidInterface> paths{commandInterface()};
    bool writesFail = false;
    std::chrono::milliseconds answerDelay{0};

    std::mutex mutex;
    std::condition_variable answered;
    std::vector<Report> written;
    std::deque<Report> inputQueue;

    // The keyboard's command collection: the second of its interface 1.
    static platform::HidInterface commandInterface() {
        platform::HidInterface i;
        i.node = "scripted";
        i.vendorId = 0x0C45;
        i.productId = 0x8611;
        i.interfaceNumber = 1;
        i.collectionIndex = 1;
        i.collectionCount = 2;
        i.usagePage = 0xFF1C;
        i.usage = 0x92;
        i.inputReportLength = i.outputReportLength = 64;
        return i;
    }

    ScriptedDevice() {
        responder = [](const Report& request) {
            Report answer = request;  // echo, status OK
            return std::optional<Report>(answer);
        };
    }

    std::vector<Report> writes() {
        std::lock_guard g(mutex);
        return written;
    }

    void queueInput(const Report& r) {
        std::lock_guard g(mutex);
        inputQueue.push_back(r);
        answered.notify_all();
    }

    struct Connection final : platform::HidConnection {
        ScriptedDevice& device;
        platform::HidAttributes attrs{0x0C45, 0x8611, 0x0100};
        platform::TopLevelCollection coll;
        explicit Connection(ScriptedDevice& d) : device(d) {
            coll.usagePage = 0xFF1C;
            coll.usage = 0x92;
            coll.inputReportLength = coll.outputReportLength = 64;
        }
        const platform::HidAttributes& attributes() const override { return attrs; }
        const platform::TopLevelCollection& collection() const override { return coll; }

        platform::TransferStatus writeReport(std::span<const std::uint8_t> report, int,
                                             platform::AbortSignal&, std::size_t& n) override {
            if (device.writesFail)
                return platform::TransferStatus::failed;
            Report r{};
            std::copy_n(report.begin(), std::min<std::size_t>(64, report.size()), r.begin());
            std::optional<Report> answer;
            {
                std::lock_guard g(device.mutex);
                device.written.push_back(r);
            }
            answer = device.responder(r);
            if (answer) {
                if (device.answerDelay.count() > 0)
                    std::this_thread::sleep_for(device.answerDelay);
                device.queueInput(*answer);
            }
            n = report.size();
            return platform::TransferStatus::completed;
        }

        platform::TransferStatus readReport(std::span<std::uint8_t> buffer, int timeoutMs,
                                            platform::AbortSignal& abort,
                                            std::size_t& got) override {
            const auto deadline = std::chrono::steady_clock::now() +
                                  std::chrono::milliseconds(timeoutMs < 0 ? 1000000 : timeoutMs);
            for (;;) {
                {
                    std::lock_guard g(device.mutex);
                    if (!device.inputQueue.empty()) {
                        const Report r = device.inputQueue.front();
                        device.inputQueue.pop_front();
                        got = std::min(buffer.size(), r.size());
                        std::copy_n(r.begin(), got, buffer.begin());
                        return platform::TransferStatus::completed;
                    }
                }
                pollfd p{abort.fd(), POLLIN, 0};
                const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                    deadline - std::chrono::steady_clock::now());
                if (left.count() <= 0)
                    return platform::TransferStatus::timedOut;
                if (::poll(&p, 1, int(std::min<long>(left.count(), 5))) > 0 && abort.consume())
                    return platform::TransferStatus::aborted;
            }
        }

        void discardPendingInput() override {
            std::lock_guard g(device.mutex);
            device.inputQueue.clear();
        }
    };

    bool enumerate(std::vector<platform::HidInterface>& out) override {
        out = paths;
        return true;
    }
    std::unique_ptr<platform::HidConnection> open(const platform::HidInterface&,
                                                  platform::HidOpenFlags) override {
        return std::make_unique<Connection>(*this);
    }
    bool probe(const platform::HidInterface&) override { return true; }
};

}  // namespace quillon::testing
