#pragma once

// A real HTTP proxy for the client tests: tinyproxy started on a free
// loopback port with a generated configuration, ended with the test.

#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

namespace quillon::update::testing {

class TinyproxyProcess {
  public:
    // nullptr when the tinyproxy program is not installed or does not come up.
    static std::unique_ptr<TinyproxyProcess> start();
    ~TinyproxyProcess();
    TinyproxyProcess(const TinyproxyProcess&) = delete;
    TinyproxyProcess& operator=(const TinyproxyProcess&) = delete;

    std::string url() const;  // "http://127.0.0.1:<port>"

  private:
    TinyproxyProcess() = default;

    pid_t pid_ = -1;
    std::uint16_t port_ = 0;
    std::filesystem::path folder_;
};

}  // namespace quillon::update::testing
