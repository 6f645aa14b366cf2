// A scripted HTTP server for the download tests: listens on an ephemeral 127.0.0.1 port
// on a thread of the test process and answers every connection with the same script,
// however hostile. Built on the client's own socket interface, so it runs natively and
// under Wine alike.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "netupdate/socket_seam.h"

namespace kelvaro::test {

struct ServerScript {
    enum class Then { Close, Hold };

    std::string answer;                       // sent once the request has been read
    size_t pieceSize = 0;                     // the answer in sends of this many bytes; 0: one send
    std::chrono::milliseconds piecePause{0};  // pause after each piece (a slow drip)
    std::string repeat;                       // then sent over and over until the client goes away
    Then then = Then::Close;  // Hold: stay connected and silent until the client goes
    bool readRequest = true;  // false: act at once, without reading the request
};

class ScriptedServer {
public:
    explicit ScriptedServer(ServerScript script);
    ~ScriptedServer();
    ScriptedServer(const ScriptedServer&) = delete;
    ScriptedServer& operator=(const ScriptedServer&) = delete;

    uint16_t port() const { return port_; }
    // "http://127.0.0.1:<port>/<path>"
    std::string Url(const std::string& path = "Kelvaro/datei") const;
    // The request text of the latest connection, as far as it was read.
    std::string LastRequest() const;
    int Connections() const { return connections_; }

private:
    void Serve();
    void Answer(net::StreamSocket& connection);
    bool ReadRequest(net::StreamSocket& connection);
    bool SendAll(net::StreamSocket& connection, const char* data, size_t size);
    void Hold(net::StreamSocket& connection);

    ServerScript script_;
    std::unique_ptr<net::ListeningSocket> listener_;
    uint16_t port_ = 0;
    std::atomic<bool> stop_{false};
    std::atomic<int> connections_{0};
    mutable std::mutex mutex_;
    std::string request_;
    std::thread thread_;
};

}  // namespace kelvaro::test
