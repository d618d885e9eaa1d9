#pragma once

// A server on the loopback for the WinInet cases: every connection it accepts is handed to
// `serve`, on the listener's own thread, which closes it or keeps it. What is kept is closed
// when the listener goes.
#include <winsock2.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace meltemix::test {

class LoopbackListener {
public:
    // True to close the connection at once, false to keep it open (a server that hangs).
    using Serve = std::function<bool(SOCKET client)>;

    explicit LoopbackListener(Serve serve) : serve_(std::move(serve)) {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
        socket_ = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address);
        int size = sizeof address;
        ::getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &size);
        port_ = ntohs(address.sin_port);
        ::listen(socket_, 8);
        thread_ = std::thread([this] {
            for (SOCKET client; (client = ::accept(socket_, nullptr, nullptr)) != INVALID_SOCKET;) {
                ++accepted_;
                if (serve_(client))
                    closesocket(client);
                else
                    kept_.push_back(client);
            }
        });
    }
    ~LoopbackListener() {
        closesocket(socket_);
        thread_.join();
        for (SOCKET client : kept_)
            closesocket(client);
        WSACleanup();
    }
    LoopbackListener(const LoopbackListener&) = delete;
    LoopbackListener& operator=(const LoopbackListener&) = delete;

    std::string url(const char* scheme, const char* path) const {
        return std::string(scheme) + "://127.0.0.1:" + std::to_string(port_) + path;
    }
    int accepted() const { return accepted_; }

private:
    Serve serve_;
    SOCKET socket_ = INVALID_SOCKET;
    int port_ = 0;
    std::vector<SOCKET> kept_;
    std::atomic<int> accepted_{0};
    std::thread thread_;
};

} // namespace meltemix::test
