#pragma once

// A stand-in for the update service: answers each command type with a
// scripted version, grants or refuses registrations, and keeps every command
// it was sent (decoded from the request body).

#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "update/update_service.h"

namespace quillon::update::testing {

class FakeService {
  public:
    // Version text per command type; a command type without one gets "{}".
    std::map<std::string, std::string> versions;
    std::string resultCode = "2";

    ServiceExchange exchange();
    std::vector<std::string> commands() const;

  private:
    std::string answer(const std::string& command);

    mutable std::mutex mutex_;
    std::vector<std::string> commands_;
};

// The JSON command carried by a request body ("ActiveData=" + Base64 + zero).
std::string decodeRequestBody(std::span<const std::uint8_t> body);

}  // namespace quillon::update::testing
