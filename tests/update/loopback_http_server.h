#pragma once

// A small HTTP server on 127.0.0.1 for the client tests: it takes one
// connection after another, keeps each request's raw bytes and answers with
// scripted pieces, or not at all.

#include <chrono>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace quillon::update::testing {

struct ScriptedReply {
    std::vector<std::string> pieces;  // written in order, with `pause` before each
    std::chrono::milliseconds pause{0};
    bool silent = false;  // read the request, then keep the connection open without answering
};

// "HTTP/1.1 <status>" with a Content-Length header and `body`.
std::string httpReply(int status, std::string_view reason, std::string_view body,
                      std::string_view contentType = "application/json");

class LoopbackHttpServer {
  public:
    explicit LoopbackHttpServer(ScriptedReply reply);
    ~LoopbackHttpServer();
    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

    std::uint16_t port() const { return port_; }
    std::string url(std::string_view path = "/download/getVersionV1") const;
    // The raw bytes of every request received so far.
    std::vector<std::string> requests() const;

  private:
    void serve();
    void answer(int connection);

    ScriptedReply reply_;
    int listener_ = -1;
    int stopFd_ = -1;
    std::uint16_t port_ = 0;
    mutable std::mutex mutex_;
    std::vector<std::string> requests_;
    std::thread thread_;
};

// A loopback port on which nothing listens.
std::uint16_t closedLoopbackPort();

}  // namespace quillon::update::testing
