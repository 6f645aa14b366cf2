// The small socket interface the HTTP client is written against: a Winsock 1.1
// implementation on Windows and a POSIX one in the native build, so the same client code
// runs against a local test server on both.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace kelvaro::net {

// The outcome of one non-blocking send or receive.
struct IoResult {
    enum class Kind { Data, WouldBlock, Closed, Failed };
    Kind kind = Kind::Failed;
    int count = 0;  // bytes moved, for Data

    static IoResult Bytes(int count) { return {Kind::Data, count}; }
    static IoResult Blocked() { return {Kind::WouldBlock, 0}; }
    static IoResult PeerClosed() { return {Kind::Closed, 0}; }
    static IoResult Error() { return {Kind::Failed, 0}; }
};

// A connected TCP stream in non-blocking mode. Closed when destroyed.
class StreamSocket {
public:
    virtual ~StreamSocket() = default;
    // Takes up to `size` bytes; Closed is never reported (a broken stream is Failed).
    virtual IoResult Send(const char* data, int size) = 0;
    // Reads up to `size` bytes; Closed when the peer has ended the stream.
    virtual IoResult Receive(char* data, int size) = 0;
    // Waits up to `milliseconds` until a receive would not block (data, end or error).
    // False when the time passed first.
    virtual bool WaitReadable(int milliseconds) = 0;
    // Waits up to `milliseconds` until a send would take bytes.
    virtual bool WaitWritable(int milliseconds) = 0;
};

// The system's address look-up and connection set-up. Addresses are IPv4 in network byte
// order.
class SocketLayer {
public:
    virtual ~SocketLayer() = default;
    // A dotted IPv4 literal as `inet_addr` accepts it; no name look-up.
    virtual bool ParseAddress(const std::string& host, uint32_t& address) = 0;
    // The first IPv4 address the name service gives for `host`.
    virtual bool LookUpName(const std::string& host, uint32_t& address) = 0;
    // A blocking connect with the platform's own time limit; the stream it returns is
    // non-blocking. Null on failure.
    virtual std::unique_ptr<StreamSocket> Connect(uint32_t address, uint16_t port) = 0;
};

// The real sockets of this platform. Needs `StartNetwork` on Windows.
SocketLayer& SystemSockets();

// A listening socket on 127.0.0.1 with a port chosen by the system; the test servers and
// benchmarks build on it.
class ListeningSocket {
public:
    virtual ~ListeningSocket() = default;
    virtual uint16_t Port() const = 0;
    // Waits up to `milliseconds` for a connection. Null when none came.
    virtual std::unique_ptr<StreamSocket> Accept(int milliseconds) = 0;
};

std::unique_ptr<ListeningSocket> ListenOnLoopback();

}  // namespace kelvaro::net
