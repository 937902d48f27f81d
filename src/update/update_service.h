#pragma once

// The questions the program asks the update service: the newest version of a
// product, and whether an update of a product may start (an update
// registration under a new GUID). With no service address configured nothing
// is asked and every answer is "no version".
//
// There is no external updater on Linux: a granted update opens the maker's
// download page. Nothing in an answer is ever run or opened.
//
// Threads: any; the service holds only its configuration.

#include <functional>
#include <optional>
#include <span>
#include <stop_token>
#include <string>
#include <string_view>

#include "platform/proxy_resolver.h"
#include "platform/url_opener.h"
#include "update/http_exchange.h"
#include "update/update_config.h"

namespace quillon::update {

using ServiceExchange = std::function<HttpResponse(
    std::string_view url, std::span<const std::uint8_t> body, std::stop_token stop)>;

// The real client with the configured fallback proxies. `desktop` may be
// nullptr and must outlive the exchange.
ServiceExchange httpServiceExchange(std::string manualProxy, platform::ProxyResolver* desktop);

enum class [[nodiscard]] UpdateRequestResult{
    refused,        // no answer, or the service did not say go on: nothing happens
    pageOpened,     // the maker's download page was handed to the browser
    pageNotOpened,  // granted, but no page is configured or the browser could not start
};

class UpdateService {
  public:
    UpdateService(UpdateConfig config, ServiceExchange exchange);

    const UpdateConfig& config() const { return config_; }

    // Data.version as received, with its dots.
    std::optional<std::string> queryVersionText(std::string_view commandType,
                                                std::stop_token stop = {}) const;
    // The same as a number (dots removed).
    std::optional<int> queryVersionNumber(std::string_view commandType,
                                          std::stop_token stop = {}) const;

    UpdateRequestResult requestUpdate(std::string_view commandType,
                                      platform::UrlOpener& opener) const;

  private:
    std::string ask(std::string_view command, std::stop_token stop) const;

    UpdateConfig config_;
    ServiceExchange exchange_;
};

}  // namespace quillon::update
