#include "update/fake_service.h"

#include <json/json.h>

#include <sstream>

namespace quillon::update::testing {

std::string decodeRequestBody(std::span<const std::uint8_t> body) {
    std::string text(body.begin(), body.end());
    if (text.empty() || text.back() != '\0' || !text.starts_with("ActiveData="))
        return {};
    text = text.substr(11, text.size() - 12);
    static const std::string alphabet =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    unsigned bits = 0;
    int count = 0;
    for (char c : text) {
        if (c == '=')
            break;
        bits = bits << 6 | static_cast<unsigned>(alphabet.find(c));
        count += 6;
        if (count >= 8) {
            count -= 8;
            out.push_back(static_cast<char>((bits >> count) & 0xFF));
        }
    }
    return out;
}

ServiceExchange FakeService::exchange() {
    return [this](std::string_view, std::span<const std::uint8_t> body, std::stop_token) {
        HttpResponse r;
        r.outcome = HttpOutcome::answered;
        r.body = answer(decodeRequestBody(body));
        return r;
    };
}

std::vector<std::string> FakeService::commands() const {
    std::lock_guard lock(mutex_);
    return commands_;
}

std::string FakeService::answer(const std::string& command) {
    std::lock_guard lock(mutex_);
    commands_.push_back(command);
    Json::Value parsed;
    std::istringstream(command) >> parsed;
    if (parsed.isMember("UUID"))
        return R"({"Result_Code":")" + resultCode + R"("})";
    const auto found = versions.find(parsed["command_type"].asString());
    return found == versions.end() ? "{}" : R"({"Data":{"version":")" + found->second + R"("}})";
}

}  // namespace quillon::update::testing
