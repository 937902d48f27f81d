#include "update/service_commands.h"

namespace quillon::update {

std::string versionQueryCommand(std::string_view commandType) {
    return R"({"command_type":")" + std::string(commandType) + R"(","getUrl":1})";
}

std::string registrationCommand(std::string_view guidText, std::string_view commandType) {
    return R"({"UUID":")" + std::string(guidText) + R"(","command_type":")" +
           std::string(commandType) + R"("})";
}

std::string base64Encode(std::string_view bytes) {
    static constexpr char kAlphabet[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    std::size_t i = 0;
    for (; i + 3 <= bytes.size(); i += 3) {
        const std::uint32_t v = static_cast<std::uint8_t>(bytes[i]) << 16 |
                                static_cast<std::uint8_t>(bytes[i + 1]) << 8 |
                                static_cast<std::uint8_t>(bytes[i + 2]);
        for (int shift : {18, 12, 6, 0})
            out.push_back(kAlphabet[(v >> shift) & 0x3F]);
    }
    const std::size_t rest = bytes.size() - i;
    if (rest > 0) {
        std::uint32_t v = static_cast<std::uint8_t>(bytes[i]) << 16;
        if (rest == 2)
            v |= static_cast<std::uint8_t>(bytes[i + 1]) << 8;
        out.push_back(kAlphabet[(v >> 18) & 0x3F]);
        out.push_back(kAlphabet[(v >> 12) & 0x3F]);
        out.push_back(rest == 2 ? kAlphabet[(v >> 6) & 0x3F] : '=');
        out.push_back('=');
    }
    return out;
}

std::vector<std::uint8_t> serviceRequestBody(std::string_view command) {
    const std::string text = "ActiveData=" + base64Encode(command);
    std::vector<std::uint8_t> body(text.begin(), text.end());
    body.push_back(0);
    return body;
}

}  // namespace quillon::update
