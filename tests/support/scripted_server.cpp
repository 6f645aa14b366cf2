// A scripted HTTP server for the download tests.
#include "support/scripted_server.h"

#include <algorithm>
#include <stdexcept>

namespace kelvaro::test {
namespace {

constexpr int kPollMilliseconds = 20;
constexpr auto kRequestWait = std::chrono::seconds(15);

}  // namespace

ScriptedServer::ScriptedServer(ServerScript script)
    : script_(std::move(script)), listener_(net::ListenOnLoopback()) {
    if (!listener_) throw std::runtime_error("no listening socket on 127.0.0.1");
    port_ = listener_->Port();
    thread_ = std::thread([this] { Serve(); });
}

ScriptedServer::~ScriptedServer() {
    stop_ = true;
    thread_.join();
}

std::string ScriptedServer::Url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + "/" + path;
}

std::string ScriptedServer::LastRequest() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return request_;
}

void ScriptedServer::Serve() {
    while (!stop_) {
        std::unique_ptr<net::StreamSocket> connection = listener_->Accept(kPollMilliseconds);
        if (!connection) continue;
        ++connections_;
        Answer(*connection);
    }
}

void ScriptedServer::Answer(net::StreamSocket& connection) {
    if (script_.readRequest && !ReadRequest(connection)) return;
    const std::string& answer = script_.answer;
    const size_t piece = script_.pieceSize == 0 ? answer.size() : script_.pieceSize;
    for (size_t offset = 0; offset < answer.size(); offset += piece) {
        if (!SendAll(connection, answer.data() + offset, std::min(piece, answer.size() - offset))) {
            return;
        }
        if (script_.piecePause.count() > 0) std::this_thread::sleep_for(script_.piecePause);
    }
    while (!script_.repeat.empty() && !stop_) {
        if (!SendAll(connection, script_.repeat.data(), script_.repeat.size())) return;
    }
    if (script_.then == ServerScript::Then::Hold) Hold(connection);
}

bool ScriptedServer::ReadRequest(net::StreamSocket& connection) {
    std::string request;
    const auto end = std::chrono::steady_clock::now() + kRequestWait;
    char block[512];
    while (request.find("\r\n\r\n") == std::string::npos) {
        if (stop_ || std::chrono::steady_clock::now() > end) return false;
        const net::IoResult got = connection.Receive(block, sizeof(block));
        if (got.kind == net::IoResult::Kind::Data) {
            request.append(block, static_cast<size_t>(got.count));
            std::lock_guard<std::mutex> lock(mutex_);
            request_ = request;
        } else if (got.kind == net::IoResult::Kind::WouldBlock) {
            connection.WaitReadable(kPollMilliseconds);
        } else {
            return false;
        }
    }
    return true;
}

bool ScriptedServer::SendAll(net::StreamSocket& connection, const char* data, size_t size) {
    while (size > 0) {
        if (stop_) return false;
        const net::IoResult sent = connection.Send(data, static_cast<int>(size));
        if (sent.kind == net::IoResult::Kind::Data) {
            data += sent.count;
            size -= static_cast<size_t>(sent.count);
        } else if (sent.kind == net::IoResult::Kind::WouldBlock) {
            connection.WaitWritable(kPollMilliseconds);
        } else {
            return false;
        }
    }
    return true;
}

// Silent until the client closes its end or the server is ended.
void ScriptedServer::Hold(net::StreamSocket& connection) {
    char block[512];
    while (!stop_) {
        const net::IoResult got = connection.Receive(block, sizeof(block));
        if (got.kind == net::IoResult::Kind::Closed || got.kind == net::IoResult::Kind::Failed) {
            return;
        }
        if (got.kind == net::IoResult::Kind::WouldBlock) connection.WaitReadable(kPollMilliseconds);
    }
}

}  // namespace kelvaro::test
