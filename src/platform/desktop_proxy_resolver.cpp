#include "platform/desktop_proxy_resolver.h"

#include <proxy.h>

#include <memory>

namespace quillon::platform {

namespace {

struct FactoryFree {
    void operator()(pxProxyFactory* f) const { px_proxy_factory_free(f); }
};
struct ListFree {
    void operator()(char** list) const { px_proxy_factory_free_proxies(list); }
};

}  // namespace

std::optional<std::string> DesktopProxyResolver::proxyFor(std::string_view url) {
    // A factory per question: it is cheap next to a network exchange, and
    // libproxy factories are not meant to be shared between threads.
    const std::unique_ptr<pxProxyFactory, FactoryFree> factory(px_proxy_factory_new());
    if (!factory)
        return std::nullopt;
    const std::string target(url);
    const std::unique_ptr<char*[], ListFree> proxies(
        px_proxy_factory_get_proxies(factory.get(), target.c_str()));
    if (!proxies)
        return std::nullopt;
    // The list is in order of preference; the first usable proxy wins, and a
    // "direct://" before any proxy means no proxy.
    for (char** p = proxies.get(); *p; ++p) {
        const std::string_view entry(*p);
        if (entry.starts_with("direct://"))
            return std::nullopt;
        if (entry.starts_with("http://") || entry.starts_with("https://") ||
            entry.starts_with("socks4://") || entry.starts_with("socks5://"))
            return std::string(entry);
        // libproxy's generic SOCKS entry; curl wants the version spelled out.
        if (entry.starts_with("socks://"))
            return "socks5://" + std::string(entry.substr(8));
    }
    return std::nullopt;
}

}  // namespace quillon::platform
