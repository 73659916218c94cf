#pragma once
// A TCP relay between the program and the test server, made in the test: it passes bytes both
// ways until told to stop passing them (a stalled network: the connection stays open, nothing
// arrives), and may refuse TLS as a relay that cannot speak it does.
#ifndef _WIN32
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <mutex>
#include <thread>
#include <vector>

namespace tarvelon::test {

class Relay {
public:
    explicit Relay(int serverPort, bool refuseTls = false) : serverPort_(serverPort), refuseTls_(refuseTls)
    {
        listener_ = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in at{};
        at.sin_family = AF_INET;
        at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(listener_, reinterpret_cast<sockaddr*>(&at), sizeof at);
        listen(listener_, 16);
        socklen_t size = sizeof at;
        getsockname(listener_, reinterpret_cast<sockaddr*>(&at), &size);
        port_ = ntohs(at.sin_port);
        accepting_ = std::thread([this] { accept(); });
    }
    ~Relay()
    {
        done_ = true;
        shutdown(listener_, SHUT_RDWR);
        close(listener_);
        accepting_.join();
        for (std::thread& t : pumps_)
            t.join();
        std::lock_guard lock(mutex_);
        for (int fd : sockets_)
            close(fd);
    }
    int port() const { return port_; }
    // From now on nothing passes, either way; the connections stay open.
    void stall() { stalled_ = true; }

private:
    void accept()
    {
        for (;;) {
            pollfd p{listener_, POLLIN, 0};
            if (poll(&p, 1, 100) <= 0) {
                if (done_)
                    return;
                continue;
            }
            const int client = ::accept(listener_, nullptr, nullptr);
            if (client < 0)
                return;
            const int server = socket(AF_INET, SOCK_STREAM, 0);
            sockaddr_in to{};
            to.sin_family = AF_INET;
            to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
            to.sin_port = htons(uint16_t(serverPort_));
            if (connect(server, reinterpret_cast<sockaddr*>(&to), sizeof to) != 0) {
                close(client);
                close(server);
                continue;
            }
            {
                std::lock_guard lock(mutex_);
                sockets_.push_back(client);
                sockets_.push_back(server);
            }
            pumps_.emplace_back([this, client, server] { pump(client, server); });
        }
    }

    void pump(int client, int server)
    {
        bool first = true;
        char buffer[65536];
        while (!done_) {
            if (stalled_) {
                usleep(20000);
                continue;
            }
            pollfd p[2] = {{client, POLLIN, 0}, {server, POLLIN, 0}};
            if (poll(p, 2, 50) <= 0)
                continue;
            for (int i = 0; i < 2; ++i) {
                if (!(p[i].revents & (POLLIN | POLLHUP)) || stalled_)
                    continue;
                const ssize_t n = read(p[i].fd, buffer, sizeof buffer);
                if (n <= 0)
                    return;
                // The client's first packet of 8 bytes asking for TLS is answered "no".
                if (i == 0 && first && refuseTls_ && n == 8 && buffer[4] == 0x04 && buffer[5] == (char)0xd2) {
                    first = false;
                    (void)!write(client, "N", 1);
                    continue;
                }
                first = false;
                (void)!write(p[1 - i].fd, buffer, size_t(n));
            }
        }
    }

    int serverPort_;
    bool refuseTls_;
    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> done_{false}, stalled_{false};
    std::thread accepting_;
    std::vector<std::thread> pumps_;
    std::mutex mutex_;
    std::vector<int> sockets_;
};

} // namespace tarvelon::test
#endif
