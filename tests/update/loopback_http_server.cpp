#include "update/loopback_http_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>

namespace quillon::update::testing {

namespace {

int boundLoopbackSocket(std::uint16_t* port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size) != 0)
        throw std::runtime_error("no loopback socket");
    *port = ntohs(address.sin_port);
    return fd;
}

// Waits for `fd` or the stop descriptor; false when stopped or after 10 s.
bool waitReadable(int fd, int stopFd) {
    pollfd fds[2] = {{fd, POLLIN, 0}, {stopFd, POLLIN, 0}};
    return ::poll(fds, 2, 10000) > 0 && !(fds[1].revents & POLLIN) && fds[0].revents;
}

// The request is complete once its headers and the announced body are in.
bool complete(const std::string& request) {
    const auto end = request.find("\r\n\r\n");
    if (end == std::string::npos)
        return false;
    const auto at = request.find("Content-Length: ");
    const std::size_t length = at < end ? std::strtoul(request.c_str() + at + 16, nullptr, 10) : 0;
    return request.size() >= end + 4 + length;
}

}  // namespace

std::string httpReply(int status, std::string_view reason, std::string_view body,
                      std::string_view contentType) {
    return "HTTP/1.1 " + std::to_string(status) + " " + std::string(reason) +
           "\r\nContent-Type: " + std::string(contentType) +
           "\r\nContent-Length: " + std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" +
           std::string(body);
}

LoopbackHttpServer::LoopbackHttpServer(ScriptedReply reply) : reply_(std::move(reply)) {
    listener_ = boundLoopbackSocket(&port_);
    ::listen(listener_, 8);
    stopFd_ = ::eventfd(0, EFD_CLOEXEC);
    thread_ = std::thread([this] { serve(); });
}

LoopbackHttpServer::~LoopbackHttpServer() {
    const std::uint64_t one = 1;
    [[maybe_unused]] ssize_t n = ::write(stopFd_, &one, sizeof one);
    thread_.join();
    ::close(listener_);
    ::close(stopFd_);
}

std::string LoopbackHttpServer::url(std::string_view path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + std::string(path);
}

std::vector<std::string> LoopbackHttpServer::requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

void LoopbackHttpServer::serve() {
    while (waitReadable(listener_, stopFd_)) {
        const int connection = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (connection < 0)
            continue;
        answer(connection);
        ::close(connection);
    }
}

void LoopbackHttpServer::answer(int connection) {
    std::string request;
    char buffer[4096];
    while (!complete(request) && waitReadable(connection, stopFd_)) {
        const ssize_t n = ::recv(connection, buffer, sizeof buffer, 0);
        if (n <= 0)
            break;
        request.append(buffer, static_cast<std::size_t>(n));
    }
    {
        std::lock_guard lock(mutex_);
        requests_.push_back(request);
    }
    if (reply_.silent) {
        // Hold the connection until the client gives up or the test ends.
        while (waitReadable(connection, stopFd_) &&
               ::recv(connection, buffer, sizeof buffer, 0) > 0) {
        }
        return;
    }
    for (const std::string& piece : reply_.pieces) {
        pollfd stop{stopFd_, POLLIN, 0};
        if (::poll(&stop, 1, static_cast<int>(reply_.pause.count())) != 0)
            return;
        if (::send(connection, piece.data(), piece.size(), MSG_NOSIGNAL) < 0)
            return;
    }
}

std::uint16_t closedLoopbackPort() {
    std::uint16_t port = 0;
    ::close(boundLoopbackSocket(&port));  // bound, never listened on
    return port;
}

}  // namespace quillon::update::testing
