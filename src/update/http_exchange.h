#pragma once

// One exchange with the update service: an HTTP POST of a short form body,
// answered by a short document of at most kResponseLimit bytes. The client
// never interprets the status code or the content type: whatever body
// arrives is returned.
//
// The request goes out first with the proxy of the environment (http_proxy,
// https_proxy, no_proxy). When it could not be sent that way, it is sent once
// more through the proxy of the user's desktop configuration (a configuration
// script or a manual proxy), or, when that names none, through the program's
// own manual proxy. There are no further retries.
//
// Threads: any thread; exchanges share nothing and may overlap.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <span>
#include <stop_token>
#include <string>
#include <string_view>

#include "platform/proxy_resolver.h"

namespace quillon::update {

// The answer buffer of the service protocol holds 1024 bytes including a
// terminating zero, so at most 1023 bytes of an answer are kept.
inline constexpr std::size_t kResponseLimit = 1023;

struct HttpSettings {
    std::string userAgent{"WinHTTP Client/1.0"};
    // Resolving the name counts into the connect limit.
    std::chrono::milliseconds connectTimeout{60000};
    // The longest the request may stall while being sent, and the answer
    // while awaited or read.
    std::chrono::milliseconds sendTimeout{30000};
    std::chrono::milliseconds receiveTimeout{30000};
};

struct ProxyFallback {
    platform::ProxyResolver* desktop = nullptr;  // nullptr: not asked
    std::string manualProxy;                     // empty: none
};

enum class HttpOutcome {
    answered,   // an answer arrived (its body may be empty or cut at the limit)
    noAnswer,   // not sent, or nothing came back
    noClient,   // the HTTP library could not give a handle
    cancelled,  // the stop token was triggered
};

struct HttpResponse {
    HttpOutcome outcome = HttpOutcome::noAnswer;
    std::string body;          // at most kResponseLimit bytes; what arrived even on failure
    int lastError = 0;         // the HTTP library's code of the last failed step, for diagnosis
    bool viaFallback = false;  // the answer came through the fallback proxy
};

// POSTs `body` as is (its length is announced exactly, so a terminating zero
// byte the caller includes counts too) to `url` ("http://" or "https://").
[[nodiscard]] HttpResponse httpExchange(std::string_view url, std::span<const std::uint8_t> body,
                                        const ProxyFallback& fallback,
                                        const HttpSettings& settings = {},
                                        std::stop_token stop = {});

}  // namespace quillon::update
