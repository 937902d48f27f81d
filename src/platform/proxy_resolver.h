#pragma once

// The proxy the user's desktop configuration names for a URL: a proxy
// auto-configuration script evaluated for that URL, or the manual proxy of
// the desktop settings. Asked only when a request could not be sent the
// ordinary way.

#include <optional>
#include <string>
#include <string_view>

namespace quillon::platform {

class ProxyResolver {
  public:
    virtual ~ProxyResolver() = default;
    // A proxy URL such as "http://host:3128"; nullopt when the configuration
    // says to go direct or cannot be read.
    virtual std::optional<std::string> proxyFor(std::string_view url) = 0;

  protected:
    ProxyResolver() = default;
    ProxyResolver(const ProxyResolver&) = default;
    ProxyResolver& operator=(const ProxyResolver&) = default;
};

}  // namespace quillon::platform
