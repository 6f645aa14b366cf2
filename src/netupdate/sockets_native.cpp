// POSIX sockets behind the socket interface, so the client runs natively against local
// test servers exactly as it does over Winsock.
#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "netupdate/netupdate.h"
#include "netupdate/socket_seam.h"

namespace kelvaro {
namespace net {
namespace {

bool Retryable(int error) {
    return error == EAGAIN || error == EWOULDBLOCK || error == EINTR;
}

bool MakeNonBlocking(int fd) {
    const int flags = fcntl(fd, F_GETFL, 0);
    return flags >= 0 && fcntl(fd, F_SETFL, flags | O_NONBLOCK) == 0;
}

bool WaitFor(int fd, short events, int milliseconds) {
    pollfd entry{fd, events, 0};
    const int ready = poll(&entry, 1, milliseconds);
    return ready > 0;
}

class PosixStream final : public StreamSocket {
public:
    explicit PosixStream(int fd) : fd_(fd) {}
    ~PosixStream() override { close(fd_); }
    PosixStream(const PosixStream&) = delete;
    PosixStream& operator=(const PosixStream&) = delete;

    IoResult Send(const char* data, int size) override {
        // MSG_NOSIGNAL: a peer that has gone must show as an error, not end the process.
        const ssize_t sent = send(fd_, data, static_cast<size_t>(size), MSG_NOSIGNAL);
        if (sent >= 0) return IoResult::Bytes(static_cast<int>(sent));
        return Retryable(errno) ? IoResult::Blocked() : IoResult::Error();
    }

    IoResult Receive(char* data, int size) override {
        const ssize_t got = recv(fd_, data, static_cast<size_t>(size), 0);
        if (got > 0) return IoResult::Bytes(static_cast<int>(got));
        if (got == 0) return IoResult::PeerClosed();
        return Retryable(errno) ? IoResult::Blocked() : IoResult::Error();
    }

    bool WaitReadable(int milliseconds) override { return WaitFor(fd_, POLLIN, milliseconds); }
    bool WaitWritable(int milliseconds) override { return WaitFor(fd_, POLLOUT, milliseconds); }

private:
    int fd_;
};

class PosixSockets final : public SocketLayer {
public:
    bool ParseAddress(const std::string& host, uint32_t& address) override {
        const in_addr_t parsed = inet_addr(host.c_str());
        if (parsed == INADDR_NONE) return false;
        address = parsed;
        return true;
    }

    bool LookUpName(const std::string& host, uint32_t& address) override {
        addrinfo hints{};
        hints.ai_family = AF_INET;
        hints.ai_socktype = SOCK_STREAM;
        addrinfo* found = nullptr;
        if (getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0 || found == nullptr) {
            return false;
        }
        address = reinterpret_cast<const sockaddr_in*>(found->ai_addr)->sin_addr.s_addr;
        freeaddrinfo(found);
        return true;
    }

    std::unique_ptr<StreamSocket> Connect(uint32_t address, uint16_t port) override {
        const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd < 0) return nullptr;
        sockaddr_in peer{};
        peer.sin_family = AF_INET;
        peer.sin_port = htons(port);
        peer.sin_addr.s_addr = address;
        int result = 0;
        do {
            result = connect(fd, reinterpret_cast<const sockaddr*>(&peer), sizeof(peer));
        } while (result != 0 && errno == EINTR);
        if (result != 0 || !MakeNonBlocking(fd)) {
            close(fd);
            return nullptr;
        }
        return std::make_unique<PosixStream>(fd);
    }
};

class PosixListener final : public ListeningSocket {
public:
    PosixListener(int fd, uint16_t port) : fd_(fd), port_(port) {}
    ~PosixListener() override { close(fd_); }
    PosixListener(const PosixListener&) = delete;
    PosixListener& operator=(const PosixListener&) = delete;

    uint16_t Port() const override { return port_; }

    std::unique_ptr<StreamSocket> Accept(int milliseconds) override {
        if (!WaitFor(fd_, POLLIN, milliseconds)) return nullptr;
        const int fd = accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0) return nullptr;
        // Each send of a scripted answer leaves as a segment of its own.
        const int one = 1;
        setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof(one));
        if (!MakeNonBlocking(fd)) {
            close(fd);
            return nullptr;
        }
        return std::make_unique<PosixStream>(fd);
    }

private:
    int fd_;
    uint16_t port_;
};

}  // namespace

SocketLayer& SystemSockets() {
    static PosixSockets sockets;
    return sockets;
}

std::unique_ptr<ListeningSocket> ListenOnLoopback() {
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return nullptr;
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof(local);
    if (bind(fd, reinterpret_cast<const sockaddr*>(&local), sizeof(local)) != 0 ||
        listen(fd, 64) != 0 || getsockname(fd, reinterpret_cast<sockaddr*>(&local), &length) != 0) {
        close(fd);
        return nullptr;
    }
    return std::make_unique<PosixListener>(fd, ntohs(local.sin_port));
}

}  // namespace net

// POSIX sockets need no start-up; these keep the programs' start and end the same.
bool StartNetwork() {
    return true;
}

void StopNetwork() {}

}  // namespace kelvaro
