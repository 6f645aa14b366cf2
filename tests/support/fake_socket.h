// In-memory stand-ins for the socket interface: a stream that plays a fixed answer in
// pieces of a chosen size, and a socket layer that records what the client asked of it.
// For tests and fuzzers that need exact receive boundaries and no network.
#pragma once

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "netupdate/socket_seam.h"

namespace kelvaro::test {

class FakeStream final : public net::StreamSocket {
public:
    FakeStream(std::string answer, size_t pieceSize, std::string* sent = nullptr)
        : answer_(std::move(answer)), pieceSize_(std::max<size_t>(pieceSize, 1)), sent_(sent) {}

    net::IoResult Send(const char* data, int size) override {
        if (sent_ != nullptr) sent_->append(data, static_cast<size_t>(size));
        return net::IoResult::Bytes(size);
    }

    // Each receive takes at most one piece; after the answer the peer has closed.
    net::IoResult Receive(char* data, int size) override {
        if (offset_ >= answer_.size()) return net::IoResult::PeerClosed();
        const size_t count = std::min({pieceSize_, answer_.size() - offset_, size_t(size)});
        std::memcpy(data, answer_.data() + offset_, count);
        offset_ += count;
        return net::IoResult::Bytes(static_cast<int>(count));
    }

    bool WaitReadable(int) override { return true; }
    bool WaitWritable(int) override { return true; }

private:
    std::string answer_;
    size_t pieceSize_;
    size_t offset_ = 0;
    std::string* sent_;
};

// Literal addresses are parsed by the real `inet_addr`; names "resolve" to 10.0.0.1,
// except names under ".invalid", which are not found.
class FakeSocketLayer final : public net::SocketLayer {
public:
    std::string answer = "HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok";
    std::vector<std::string> lookUps;
    int connects = 0;
    uint32_t address = 0;
    uint16_t port = 0;
    std::string sent;

    bool ParseAddress(const std::string& host, uint32_t& parsed) override {
        return net::SystemSockets().ParseAddress(host, parsed);
    }
    bool LookUpName(const std::string& host, uint32_t& found) override {
        lookUps.push_back(host);
        found = 0x0100000A;
        return !host.ends_with(".invalid");
    }
    std::unique_ptr<net::StreamSocket> Connect(uint32_t to, uint16_t toPort) override {
        ++connects;
        address = to;
        port = toPort;
        return std::make_unique<FakeStream>(answer, answer.size(), &sent);
    }
};

}  // namespace kelvaro::test
