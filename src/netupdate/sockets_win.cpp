// Winsock 1.1 (wsock32) behind the socket interface, and the start and end of the socket
// layer for the whole process.
#include <winsock.h>

#include <cstring>

#include "netupdate/netupdate.h"
#include "netupdate/socket_seam.h"

namespace kelvaro {
namespace net {
namespace {

constexpr WORD kWinsockVersion = 0x0101;

bool MakeNonBlocking(SOCKET socket) {
    u_long on = 1;
    return ioctlsocket(socket, FIONBIO, &on) == 0;
}

// select ignores its first argument on Windows; the sets name the one socket.
bool WaitFor(SOCKET socket, bool forWriting, int milliseconds) {
    fd_set ready;
    fd_set failed;
    FD_ZERO(&ready);
    FD_ZERO(&failed);
    FD_SET(socket, &ready);
    FD_SET(socket, &failed);
    timeval wait{milliseconds / 1000, (milliseconds % 1000) * 1000};
    const int count = forWriting ? select(0, nullptr, &ready, &failed, &wait)
                                 : select(0, &ready, nullptr, &failed, &wait);
    return count > 0;
}

class WinsockStream final : public StreamSocket {
public:
    explicit WinsockStream(SOCKET socket) : socket_(socket) {}
    ~WinsockStream() override { closesocket(socket_); }
    WinsockStream(const WinsockStream&) = delete;
    WinsockStream& operator=(const WinsockStream&) = delete;

    IoResult Send(const char* data, int size) override {
        const int sent = send(socket_, data, size, 0);
        if (sent != SOCKET_ERROR) return IoResult::Bytes(sent);
        return WSAGetLastError() == WSAEWOULDBLOCK ? IoResult::Blocked() : IoResult::Error();
    }

    IoResult Receive(char* data, int size) override {
        const int got = recv(socket_, data, size, 0);
        if (got > 0) return IoResult::Bytes(got);
        if (got == 0) return IoResult::PeerClosed();
        return WSAGetLastError() == WSAEWOULDBLOCK ? IoResult::Blocked() : IoResult::Error();
    }

    bool WaitReadable(int milliseconds) override { return WaitFor(socket_, false, milliseconds); }
    bool WaitWritable(int milliseconds) override { return WaitFor(socket_, true, milliseconds); }

private:
    SOCKET socket_;
};

class Winsock final : public SocketLayer {
public:
    bool ParseAddress(const std::string& host, uint32_t& address) override {
        const unsigned long parsed = inet_addr(host.c_str());
        if (parsed == INADDR_NONE) return false;
        address = static_cast<uint32_t>(parsed);
        return true;
    }

    bool LookUpName(const std::string& host, uint32_t& address) override {
        const hostent* found = gethostbyname(host.c_str());
        if (found == nullptr || found->h_addrtype != AF_INET || found->h_length != 4 ||
            found->h_addr_list == nullptr || found->h_addr_list[0] == nullptr) {
            return false;
        }
        std::memcpy(&address, found->h_addr_list[0], sizeof(address));
        return true;
    }

    std::unique_ptr<StreamSocket> Connect(uint32_t address, uint16_t port) override {
        const SOCKET handle = socket(AF_INET, SOCK_STREAM, 0);
        if (handle == INVALID_SOCKET) return nullptr;
        sockaddr_in peer{};
        peer.sin_family = AF_INET;
        peer.sin_port = htons(port);
        peer.sin_addr.s_addr = address;
        if (connect(handle, reinterpret_cast<const sockaddr*>(&peer), sizeof(peer)) != 0 ||
            !MakeNonBlocking(handle)) {
            closesocket(handle);
            return nullptr;
        }
        return std::make_unique<WinsockStream>(handle);
    }
};

class WinsockListener final : public ListeningSocket {
public:
    WinsockListener(SOCKET socket, uint16_t port) : socket_(socket), port_(port) {}
    ~WinsockListener() override { closesocket(socket_); }
    WinsockListener(const WinsockListener&) = delete;
    WinsockListener& operator=(const WinsockListener&) = delete;

    uint16_t Port() const override { return port_; }

    std::unique_ptr<StreamSocket> Accept(int milliseconds) override {
        if (!WaitFor(socket_, false, milliseconds)) return nullptr;
        const SOCKET handle = accept(socket_, nullptr, nullptr);
        if (handle == INVALID_SOCKET) return nullptr;
        // Each send of a scripted answer leaves as a segment of its own.
        const BOOL on = TRUE;
        setsockopt(handle, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&on),
                   sizeof(on));
        if (!MakeNonBlocking(handle)) {
            closesocket(handle);
            return nullptr;
        }
        return std::make_unique<WinsockStream>(handle);
    }

private:
    SOCKET socket_;
    uint16_t port_;
};

bool networkStarted = false;

}  // namespace

SocketLayer& SystemSockets() {
    static Winsock sockets;
    return sockets;
}

std::unique_ptr<ListeningSocket> ListenOnLoopback() {
    const SOCKET handle = socket(AF_INET, SOCK_STREAM, 0);
    if (handle == INVALID_SOCKET) return nullptr;
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int length = sizeof(local);
    if (bind(handle, reinterpret_cast<const sockaddr*>(&local), sizeof(local)) != 0 ||
        listen(handle, SOMAXCONN) != 0 ||
        getsockname(handle, reinterpret_cast<sockaddr*>(&local), &length) != 0) {
        closesocket(handle);
        return nullptr;
    }
    return std::make_unique<WinsockListener>(handle, ntohs(local.sin_port));
}

}  // namespace net

bool StartNetwork() {
    WSADATA data{};
    net::networkStarted = WSAStartup(net::kWinsockVersion, &data) == 0;
    return net::networkStarted;
}

void StopNetwork() {
    if (net::networkStarted) WSACleanup();
    net::networkStarted = false;
}

}  // namespace kelvaro
