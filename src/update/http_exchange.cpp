#include "update/http_exchange.h"

#include <curl/curl.h>

#include <algorithm>
#include <memory>
#include <optional>

namespace quillon::update {

namespace {

using Clock = std::chrono::steady_clock;

void initialiseCurlOnce() {
    // Not thread-safe in every libcurl build, so it runs exactly once.
    static const CURLcode code = curl_global_init(CURL_GLOBAL_DEFAULT);
    (void)code;  // a failed init shows as the first handle failing
}

struct HandleCleanup {
    void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
};
struct ListCleanup {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

// What one attempt saw; reset before the retry.
struct Transfer {
    const HttpSettings* settings = nullptr;
    std::stop_token stop;
    std::string body;
    bool connected = false;
    bool cancelled = false;
    bool stalled = false;
    curl_off_t lastUp = -1;
    curl_off_t lastDown = -1;
    Clock::time_point lastMove{};
};

std::size_t onBodyPiece(char* data, std::size_t, std::size_t length, void* context) {
    auto& t = *static_cast<Transfer*>(context);
    const std::size_t take = std::min(length, kResponseLimit - t.body.size());
    t.body.append(data, take);
    // Taking less than offered ends the transfer: the rest would be dropped anyway.
    return take;
}

int onConnected(void* context, char*, char*, int, int) {
    auto& t = *static_cast<Transfer*>(context);
    t.connected = true;
    t.lastMove = Clock::now();
    return CURL_PREREQFUNC_OK;
}

// libcurl has only an overall limit, so the send and receive limits are
// stall limits kept here: the time since bytes last moved, while sending
// the request and while awaiting or reading the answer.
int onProgress(void* context, curl_off_t, curl_off_t downloaded, curl_off_t uploadTotal,
               curl_off_t uploaded) {
    auto& t = *static_cast<Transfer*>(context);
    if (t.stop.stop_requested()) {
        t.cancelled = true;
        return 1;
    }
    if (!t.connected)
        return 0;  // the connect limit applies
    const auto now = Clock::now();
    if (downloaded != t.lastDown || uploaded != t.lastUp) {
        t.lastDown = downloaded;
        t.lastUp = uploaded;
        t.lastMove = now;
        return 0;
    }
    const bool sending = uploaded < uploadTotal;
    const auto limit = sending ? t.settings->sendTimeout : t.settings->receiveTimeout;
    if (now - t.lastMove > limit) {
        t.stalled = true;
        return 1;
    }
    return 0;
}

void setOptions(CURL* h, const std::string& url, std::span<const std::uint8_t> body,
                curl_slist* headers, const HttpSettings& settings, Transfer& t) {
    static constexpr char kEmpty[] = "";
    curl_easy_setopt(h, CURLOPT_URL, url.c_str());
    curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(h, CURLOPT_HTTP_VERSION, CURL_HTTP_VERSION_1_1);
    curl_easy_setopt(h, CURLOPT_USERAGENT, settings.userAgent.c_str());
    curl_easy_setopt(h, CURLOPT_POST, 1L);
    curl_easy_setopt(h, CURLOPT_POSTFIELDS,
                     body.empty() ? kEmpty : reinterpret_cast<const char*>(body.data()));
    curl_easy_setopt(h, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body.size()));
    curl_easy_setopt(h, CURLOPT_HTTPHEADER, headers);
    curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT_MS,
                     static_cast<long>(settings.connectTimeout.count()));
    curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);  // worker threads: no SIGALRM
    curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, &onBodyPiece);
    curl_easy_setopt(h, CURLOPT_WRITEDATA, &t);
    curl_easy_setopt(h, CURLOPT_PREREQFUNCTION, &onConnected);
    curl_easy_setopt(h, CURLOPT_PREREQDATA, &t);
    curl_easy_setopt(h, CURLOPT_XFERINFOFUNCTION, &onProgress);
    curl_easy_setopt(h, CURLOPT_XFERINFODATA, &t);
    curl_easy_setopt(h, CURLOPT_NOPROGRESS, 0L);
}

// The request never left: the connection (to the server or the proxy) was
// not made, or writing the request failed.
bool notSent(const Transfer& t, CURLcode code) {
    return code != CURLE_OK && !t.cancelled && (!t.connected || code == CURLE_SEND_ERROR);
}

std::optional<std::string> fallbackProxy(const ProxyFallback& fallback, const std::string& url) {
    if (fallback.desktop) {
        if (auto proxy = fallback.desktop->proxyFor(url))
            return proxy;
    }
    if (!fallback.manualProxy.empty())
        return fallback.manualProxy;
    return std::nullopt;
}

}  // namespace

HttpResponse httpExchange(std::string_view url, std::span<const std::uint8_t> body,
                          const ProxyFallback& fallback, const HttpSettings& settings,
                          std::stop_token stop) {
    initialiseCurlOnce();
    HttpResponse response;
    const std::unique_ptr<CURL, HandleCleanup> handle(curl_easy_init());
    if (!handle) {
        response.outcome = HttpOutcome::noClient;
        return response;
    }
    const std::string target(url);

    // The announced length is the caller's, zero byte included. "Accept:"
    // and "Expect:" drop headers libcurl would add on its own.
    const std::string length = "Content-Length: " + std::to_string(body.size());
    std::unique_ptr<curl_slist, ListCleanup> headers;
    for (const char* line : {length.c_str(), "Content-Type: application/x-www-form-urlencoded",
                             "Accept:", "Expect:"}) {
        curl_slist* grown = curl_slist_append(headers.get(), line);
        if (!grown) {
            response.outcome = HttpOutcome::noClient;
            return response;
        }
        (void)headers.release();  // now owned by `grown`
        headers.reset(grown);
    }

    Transfer t;
    t.settings = &settings;
    t.stop = stop;
    setOptions(handle.get(), target, body, headers.get(), settings, t);
    CURLcode code = curl_easy_perform(handle.get());

    if (notSent(t, code)) {
        if (const auto proxy = fallbackProxy(fallback, target)) {
            t = Transfer{};
            t.settings = &settings;
            t.stop = stop;
            curl_easy_setopt(handle.get(), CURLOPT_PROXY, proxy->c_str());
            code = curl_easy_perform(handle.get());
            response.viaFallback = true;
        }
    }

    long status = 0;
    curl_easy_getinfo(handle.get(), CURLINFO_RESPONSE_CODE, &status);
    response.body = std::move(t.body);
    if (code != CURLE_OK)
        response.lastError = static_cast<int>(code);
    if (t.cancelled)
        response.outcome = HttpOutcome::cancelled;
    else if (code == CURLE_OK || status != 0)
        response.outcome = HttpOutcome::answered;  // a cut or broken body is still an answer
    else
        response.outcome = HttpOutcome::noAnswer;
    return response;
}

}  // namespace quillon::update
