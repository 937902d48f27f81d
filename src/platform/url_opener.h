#pragma once

// Opening a web address in the user's browser.

#include <string_view>

namespace quillon::platform {

class UrlOpener {
  public:
    virtual ~UrlOpener() = default;
    // Whether the opener could be started; what the browser then does is its own affair.
    [[nodiscard]] virtual bool open(std::string_view url) = 0;

  protected:
    UrlOpener() = default;
    UrlOpener(const UrlOpener&) = default;
    UrlOpener& operator=(const UrlOpener&) = default;
};

// xdg-open, started without a shell, so the address is one argument whatever it holds.
class XdgUrlOpener final : public UrlOpener {
  public:
    bool open(std::string_view url) override;
};

}  // namespace quillon::platform
