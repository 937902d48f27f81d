#pragma once

// ProxyResolver over libproxy, which reads the desktop's proxy settings
// (GNOME, KDE, the environment), fetches and evaluates a configuration script
// when they name one, and otherwise gives the manual proxy.

#include "platform/proxy_resolver.h"

namespace quillon::platform {

class DesktopProxyResolver final : public ProxyResolver {
  public:
    std::optional<std::string> proxyFor(std::string_view url) override;
};

}  // namespace quillon::platform
