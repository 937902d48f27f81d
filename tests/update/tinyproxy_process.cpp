#include "update/tinyproxy_process.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <thread>

#include "update/loopback_http_server.h"

namespace quillon::update::testing {

namespace {

std::filesystem::path tinyproxyProgram() {
    for (const char* candidate : {"/usr/bin/tinyproxy", "/usr/sbin/tinyproxy"}) {
        if (::access(candidate, X_OK) == 0)
            return candidate;
    }
    return {};
}

bool accepts(std::uint16_t port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    const bool ok = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return ok;
}

}  // namespace

std::unique_ptr<TinyproxyProcess> TinyproxyProcess::start() {
    const std::filesystem::path program = tinyproxyProgram();
    if (program.empty())
        return nullptr;
    std::unique_ptr<TinyproxyProcess> proxy(new TinyproxyProcess);
    char folder[] = "/tmp/quillon-tinyproxy-XXXXXX";
    if (!::mkdtemp(folder))
        return nullptr;
    proxy->folder_ = folder;
    proxy->port_ = closedLoopbackPort();
    const std::filesystem::path config = proxy->folder_ / "tinyproxy.conf";
    std::ofstream(config) << "Port " << proxy->port_ << "\nListen 127.0.0.1\nTimeout 10\n"
                          << "MaxClients 8\nAllow 127.0.0.1\nLogLevel Critical\n"
                          << "Logfile \"" << (proxy->folder_ / "log").string() << "\"\n"
                          << "PidFile \"" << (proxy->folder_ / "pid").string() << "\"\n";
    proxy->pid_ = ::fork();
    if (proxy->pid_ == 0) {
        ::execl(program.c_str(), "tinyproxy", "-d", "-c", config.c_str(), nullptr);
        ::_exit(127);
    }
    if (proxy->pid_ < 0)
        return nullptr;
    for (int i = 0; i < 100; ++i) {
        if (accepts(proxy->port_))
            return proxy;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return nullptr;  // the destructor ends what was started
}

TinyproxyProcess::~TinyproxyProcess() {
    if (pid_ > 0) {
        ::kill(pid_, SIGTERM);
        ::waitpid(pid_, nullptr, 0);
    }
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

std::string TinyproxyProcess::url() const {
    return "http://127.0.0.1:" + std::to_string(port_);
}

}  // namespace quillon::update::testing
