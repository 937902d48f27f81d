#pragma once

// The commands sent to the update service and the form body that carries
// them: "ActiveData=" + Base64 of the JSON text + one zero byte. The Base64
// text is sent as is (not percent-encoded) and the zero byte is part of the
// body, as the service expects.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quillon::update {

// {"command_type":"Kv021","getUrl":1}
std::string versionQueryCommand(std::string_view commandType);
// {"UUID":"<guid>","command_type":"Kv024"}
std::string registrationCommand(std::string_view guidText, std::string_view commandType);

// RFC 4648 Base64 with "=" padding and no line breaks.
std::string base64Encode(std::string_view bytes);

std::vector<std::uint8_t> serviceRequestBody(std::string_view command);

}  // namespace quillon::update
