// The update client against a real server on loopback, and through a real
// proxy when the first send fails.

#include "update/http_exchange.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

#include "update/loopback_http_server.h"
#include "update/tinyproxy_process.h"

namespace quillon::update {
namespace {

using namespace std::chrono_literals;
using testing::closedLoopbackPort;
using testing::httpReply;
using testing::LoopbackHttpServer;
using testing::ScriptedReply;
using testing::TinyproxyProcess;

std::span<const std::uint8_t> bytes(std::string_view text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

// The body of a version query, zero byte included.
constexpr std::string_view kQuery{"ActiveData=eyJjb21tYW5kX3R5cGUiOiJLdjAyMSIsImdldFVybCI6MX0=\0",
                                  61};

class FixedResolver final : public platform::ProxyResolver {
  public:
    explicit FixedResolver(std::optional<std::string> proxy) : proxy_(std::move(proxy)) {}
    std::optional<std::string> proxyFor(std::string_view) override {
        ++asked;
        return proxy_;
    }
    int asked = 0;

  private:
    std::optional<std::string> proxy_;
};

// The environment's proxy is part of what the exchange reads: each test
// states its own.
class HttpExchangeTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* name :
             {"http_proxy", "https_proxy", "all_proxy", "ALL_PROXY", "no_proxy", "NO_PROXY"})
            ::unsetenv(name);
    }
    void TearDown() override { ::unsetenv("http_proxy"); }
};

TEST_F(HttpExchangeTest, SendsTheRequestByteExactWithTheZeroByteCounted) {
    LoopbackHttpServer server({{httpReply(200, "OK", R"({"Data":{"version":"1.0.5"}})")}});
    const HttpResponse r = httpExchange(server.url(), bytes(kQuery), {});

    EXPECT_EQ(r.outcome, HttpOutcome::answered);
    EXPECT_EQ(r.body, R"({"Data":{"version":"1.0.5"}})");
    ASSERT_EQ(server.requests().size(), 1u);
    const std::string expected =
        "POST /download/getVersionV1 HTTP/1.1\r\n"
        "Host: 127.0.0.1:" +
        std::to_string(server.port()) +
        "\r\n"
        "User-Agent: WinHTTP Client/1.0\r\n"
        "Content-Length: 61\r\n"
        "Content-Type: application/x-www-form-urlencoded\r\n"
        "\r\n" +
        std::string(kQuery);
    EXPECT_EQ(server.requests()[0], expected);
    EXPECT_EQ(server.requests()[0].back(), '\0');
}

TEST_F(HttpExchangeTest, AnswersAreReturnedAsTheyArriveWithinTheLimit) {
    // Longer than the limit: cut at 1023 bytes.
    const std::string longBody(3000, 'x');
    LoopbackHttpServer longServer({{httpReply(200, "OK", longBody)}});
    HttpResponse r = httpExchange(longServer.url(), bytes(kQuery), {});
    EXPECT_EQ(r.outcome, HttpOutcome::answered);
    EXPECT_EQ(r.body, longBody.substr(0, kResponseLimit));

    // In several pieces with pauses: joined in order.
    const std::string whole = httpReply(200, "OK", R"({"Result_Code":"2","Data":{}})");
    LoopbackHttpServer piecesServer(
        {{whole.substr(0, 20), whole.substr(20, 40), whole.substr(60)}, 60ms});
    r = httpExchange(piecesServer.url(), bytes(kQuery), {});
    EXPECT_EQ(r.body, R"({"Result_Code":"2","Data":{}})");

    // A 404 page is an answer like any other.
    LoopbackHttpServer missing(
        {{httpReply(404, "Not Found", "<h1>no such page</h1>", "text/html")}});
    r = httpExchange(missing.url(), bytes(kQuery), {});
    EXPECT_EQ(r.outcome, HttpOutcome::answered);
    EXPECT_EQ(r.body, "<h1>no such page</h1>");
}

TEST_F(HttpExchangeTest, NothingReceivedWhenNoOneAnswers) {
    const std::string closed =
        "http://127.0.0.1:" + std::to_string(closedLoopbackPort()) + "/download/getVersionV1";
    HttpResponse r = httpExchange(closed, bytes(kQuery), {});
    EXPECT_EQ(r.outcome, HttpOutcome::noAnswer);
    EXPECT_TRUE(r.body.empty());
    EXPECT_NE(r.lastError, 0);

    // A server that takes the request and never answers: the receive limit ends it.
    LoopbackHttpServer silent({{}, 0ms, true});
    HttpSettings quick;
    quick.receiveTimeout = 300ms;
    const auto started = std::chrono::steady_clock::now();
    r = httpExchange(silent.url(), bytes(kQuery), {}, quick);
    EXPECT_EQ(r.outcome, HttpOutcome::noAnswer);
    EXPECT_LT(std::chrono::steady_clock::now() - started, 5s);
    EXPECT_EQ(silent.requests().size(), 1u) << "a request that went out is not sent again";
}

TEST_F(HttpExchangeTest, AStopRequestEndsAPendingExchange) {
    LoopbackHttpServer silent({{}, 0ms, true});
    std::stop_source stop;
    std::thread stopper([&] {
        std::this_thread::sleep_for(200ms);
        stop.request_stop();
    });
    const auto started = std::chrono::steady_clock::now();
    const HttpResponse r = httpExchange(silent.url(), bytes(kQuery), {}, {}, stop.get_token());
    stopper.join();
    EXPECT_EQ(r.outcome, HttpOutcome::cancelled);
    EXPECT_LT(std::chrono::steady_clock::now() - started, 5s);
}

TEST_F(HttpExchangeTest, AFailedSendIsRepeatedOnceThroughTheConfiguredProxy) {
    auto proxy = TinyproxyProcess::start();
    if (!proxy)
        GTEST_SKIP() << "tinyproxy is not installed (Debian package tinyproxy)";
    LoopbackHttpServer server({{httpReply(200, "OK", R"({"Data":{"version":"3.0.2"}})")}});
    // The environment names a proxy that is not there, so the first send fails.
    const std::string dead = "http://127.0.0.1:" + std::to_string(closedLoopbackPort());
    ::setenv("http_proxy", dead.c_str(), 1);

    // The desktop's configuration comes before the program's manual proxy.
    FixedResolver desktop(proxy->url());
    HttpResponse r = httpExchange(server.url(), bytes(kQuery), {&desktop, dead});
    EXPECT_EQ(r.outcome, HttpOutcome::answered);
    EXPECT_TRUE(r.viaFallback);
    EXPECT_EQ(r.body, R"({"Data":{"version":"3.0.2"}})");
    EXPECT_EQ(desktop.asked, 1);
    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_TRUE(server.requests()[0].ends_with(kQuery)) << "the body passes the proxy unchanged";

    // A desktop configuration without proxy leaves the manual one.
    FixedResolver direct(std::nullopt);
    r = httpExchange(server.url(), bytes(kQuery), {&direct, proxy->url()});
    EXPECT_EQ(r.outcome, HttpOutcome::answered);
    EXPECT_EQ(r.body, R"({"Data":{"version":"3.0.2"}})");

    // One retry only: a fallback proxy that fails too ends the exchange.
    FixedResolver deadDesktop(dead);
    r = httpExchange(server.url(), bytes(kQuery), {&deadDesktop, proxy->url()});
    EXPECT_EQ(r.outcome, HttpOutcome::noAnswer);
    EXPECT_EQ(deadDesktop.asked, 1);
    EXPECT_EQ(server.requests().size(), 2u);
}

}  // namespace
}  // namespace quillon::update
