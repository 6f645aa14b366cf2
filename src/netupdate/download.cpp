// The HTTP download client: one GET per connection, the response head, a body of known
// length, in chunks or up to the server's silence, and the file it goes to.
#include "netupdate/download.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "netupdate/body_file.h"
#include "netupdate/netupdate.h"
#include "netupdate/url.h"

namespace kelvaro {
namespace net {
namespace {

using Clock = std::chrono::steady_clock;

struct Received {
    enum class Kind { Data, Closed, Silent, Failed };
    Kind kind;
    int count = 0;
};

// One wait for readiness: never longer than the pause, so the deadlines are looked at
// regularly, and at least a millisecond, so a short remainder is no busy loop.
int WaitMilliseconds(Clock::duration left, Milliseconds pause) {
    const auto ms = std::chrono::ceil<Milliseconds>(left);
    return static_cast<int>(std::clamp<Milliseconds::rep>(ms.count(), 1, pause.count()));
}

class Exchange {
public:
    Exchange(StreamSocket& socket, BodySink& sink, const DownloadLimits& limits)
        : socket_(socket), sink_(sink), limits_(limits), deadline_(Clock::now() + limits.overall) {}

    int32_t Run(const std::string& request) {
        if (!SendAll(request)) return 0;
        std::string_view bodyStart;
        ResponseHead head;
        if (!ReadHead(head, bodyStart)) return 0;
        // An announced length wins over chunked coding; without either the body runs
        // until the server closes or falls silent.
        if (head.contentLength >= 0) {
            if (!WithinCap(head.contentLength)) return 0;
            return ReadCounted(head.contentLength, true, bodyStart);
        }
        if (head.chunked) return ReadChunked(bodyStart);
        // One byte beyond the caller's cap is enough to refuse the body.
        const int32_t unknownCap = limits_.maxBody > 0 && limits_.maxBody < limits_.unknownLengthCap
                                       ? limits_.maxBody + 1
                                       : limits_.unknownLengthCap;
        return ReadCounted(unknownCap, false, bodyStart);
    }

private:
    bool WithinCap(int64_t length) const {
        return limits_.maxBody <= 0 || length <= limits_.maxBody;
    }

    bool SendAll(const std::string& request) {
        const auto end = std::min(Clock::now() + limits_.sendTimeout, deadline_);
        size_t offset = 0;
        while (offset < request.size()) {
            const int part = static_cast<int>(std::min<size_t>(request.size() - offset, 1 << 30));
            const IoResult sent = socket_.Send(request.data() + offset, part);
            if (sent.kind == IoResult::Kind::Data && sent.count > 0) {
                offset += static_cast<size_t>(sent.count);
                continue;
            }
            // A broken connection does not recover by waiting.
            if (sent.kind == IoResult::Kind::Failed || sent.kind == IoResult::Kind::Closed) {
                return false;
            }
            const auto now = Clock::now();
            if (now >= end) return false;
            socket_.WaitWritable(WaitMilliseconds(end - now, limits_.sendPause));
        }
        return true;
    }

    // Up to `size` bytes. Silent when `timeout` passed without data; a connection that
    // the server closed shows at once. Past the overall deadline every receive fails. The
    // clock is read only when the socket has nothing ready, and now and then on a stream
    // that never pauses, so a fast download does not pay for it on every block.
    Received Receive(int size, Milliseconds timeout) {
        Clock::time_point end;
        bool waiting = false;
        for (;;) {
            const IoResult got = socket_.Receive(block_, size);
            switch (got.kind) {
                case IoResult::Kind::Data:
                    if (++received_ % kDeadlineCheckInterval == 0 && Clock::now() >= deadline_) {
                        return {Received::Kind::Failed};
                    }
                    return {Received::Kind::Data, got.count};
                case IoResult::Kind::Closed:
                    return {Received::Kind::Closed};
                case IoResult::Kind::Failed:
                    return {Received::Kind::Failed};
                case IoResult::Kind::WouldBlock:
                    break;
            }
            const auto now = Clock::now();
            if (!waiting) {
                end = std::min(now + timeout, deadline_);
                waiting = true;
            }
            if (now >= end) {
                return {now >= deadline_ ? Received::Kind::Failed : Received::Kind::Silent};
            }
            socket_.WaitReadable(WaitMilliseconds(end - now, limits_.receivePause));
        }
    }

    bool ReadHead(ResponseHead& head, std::string_view& bodyStart) {
        ResponseHeadParser parser(limits_.headLimit);
        for (;;) {
            const Received got = Receive(kReceiveBlock, limits_.receiveTimeout);
            if (got.kind != Received::Kind::Data) return false;
            const size_t used = parser.Feed(std::string_view(block_, got.count));
            if (parser.state() == ResponseHeadParser::State::Failed) return false;
            if (parser.state() == ResponseHeadParser::State::Done) {
                head = parser.head();
                bodyStart = std::string_view(block_ + used, got.count - used);
                return true;
            }
        }
    }

    // A body of `length` bytes when `known`, else one that ends with the connection or
    // the first second of silence and must stay below `length`.
    int32_t ReadCounted(int32_t length, bool known, std::string_view bodyStart) {
        int32_t remaining = length;
        const auto take = [&](const char* data, size_t size) {
            const int32_t part = static_cast<int32_t>(std::min<size_t>(size, remaining));
            remaining -= part;
            return sink_.Write(data, static_cast<size_t>(part));
        };
        if (remaining > 0 && !bodyStart.empty() && !take(bodyStart.data(), bodyStart.size())) {
            return 0;
        }
        const Milliseconds timeout = known ? limits_.receiveTimeout : limits_.unknownLengthTimeout;
        while (remaining > 0) {
            const Received got = Receive(std::min(remaining, kReceiveBlock), timeout);
            if (got.kind == Received::Kind::Data) {
                if (!take(block_, static_cast<size_t>(got.count))) return 0;
                continue;
            }
            const bool ended =
                got.kind == Received::Kind::Closed || got.kind == Received::Kind::Silent;
            return !known && ended ? length - remaining : 0;
        }
        return known ? length : 0;
    }

    int32_t ReadChunked(std::string_view bodyStart) {
        ChunkDecoder decoder;
        int64_t written = 0;
        const auto feed = [&](std::string_view data) {
            while (!data.empty() && !decoder.done() && !decoder.failed()) {
                std::string_view run;
                data.remove_prefix(decoder.Next(data, run));
                if (run.empty()) continue;
                written += static_cast<int64_t>(run.size());
                if (!WithinCap(written) || !sink_.Write(run.data(), run.size())) return false;
            }
            return !decoder.failed();
        };
        if (!feed(bodyStart)) return 0;
        while (!decoder.done()) {
            const Received got = Receive(kReceiveBlock, limits_.receiveTimeout);
            if (got.kind != Received::Kind::Data) return 0;
            if (!feed(std::string_view(block_, got.count))) return 0;
        }
        return static_cast<int32_t>(written);
    }

    static constexpr unsigned kDeadlineCheckInterval = 64;

    StreamSocket& socket_;
    BodySink& sink_;
    const DownloadLimits& limits_;
    const Clock::time_point deadline_;
    unsigned received_ = 0;
    char block_[kReceiveBlock];
};

// Writes the body into a temporary file beside the target, created with the first byte.
// With an expectation the body is counted and hashed on its way to the file; one byte too
// many ends the download at once, and a body of another size or hash never replaces the
// target.
class FileSink final : public BodySink {
public:
    FileSink(std::string targetPath, const DownloadExpectation* expected)
        : targetPath_(std::move(targetPath)), expected_(expected) {
        if (expected_ != nullptr) hash_.emplace();
    }

    // The 2048-byte blocks are gathered into larger writes: one system call per block
    // costs more than the copy, most of all under Wine.
    bool Write(const char* data, size_t size) override {
        if (expected_ != nullptr && size > static_cast<size_t>(expected_->size) - written_) {
            return false;
        }
        written_ += size;
        if (!file_.IsOpen() && !file_.CreateBeside(targetPath_)) return false;
        if (pending_.size() + size > kWriteBatch && !Flush()) return false;
        pending_.append(data, size);
        return true;
    }

    // Closes the complete body and puts it in the target's place, trying again for a
    // while when the target is held (the updater replaces an exe that is still ending).
    bool Commit(const DownloadLimits& limits) {
        if (!Flush() || !file_.Close() || !MeetsExpectation()) return false;
        return RetryWhileBusy([this] { return file_.MoveOver(targetPath_); }, limits.replace);
    }

private:
    static constexpr size_t kWriteBatch = 256 * 1024;

    // The hash takes each batch as it goes to the file, while it is still in the cache.
    bool Flush() {
        if (hash_) hash_->Update(pending_.data(), pending_.size());
        const bool ok = pending_.empty() || file_.Write(pending_.data(), pending_.size());
        pending_.clear();
        return ok;
    }

    bool MeetsExpectation() {
        if (expected_ == nullptr) return true;
        signing::Sha256Digest digest{};
        return written_ == static_cast<size_t>(expected_->size) && hash_->Finish(digest) &&
               digest == expected_->sha256;
    }

    std::string targetPath_;
    const DownloadExpectation* expected_;
    size_t written_ = 0;
    std::optional<signing::Sha256> hash_;  // only when there is an expectation
    TempFile file_;
    std::string pending_;
};

}  // namespace

int32_t ExchangeRequest(StreamSocket& socket, const std::string& request, BodySink& sink,
                        const DownloadLimits& limits) {
    return Exchange(socket, sink, limits).Run(request);
}

int32_t DownloadWith(SocketLayer& sockets, const DownloadLimits& limits, const char* url,
                     const char* targetPath, const DownloadExpectation* expected) {
    if (url == nullptr || targetPath == nullptr) return 0;
    if (expected != nullptr && expected->size <= 0) return 0;
    const std::optional<UrlParts> parts = SplitUrl(url);
    if (!parts) return 0;
    uint32_t address = 0;
    if (!sockets.ParseAddress(parts->host, address) && !sockets.LookUpName(parts->host, address)) {
        return 0;
    }
    std::unique_ptr<StreamSocket> socket = sockets.Connect(address, parts->port);
    if (!socket) return 0;
    FileSink sink(targetPath, expected);
    const int32_t length = ExchangeRequest(*socket, BuildRequest(*parts), sink, limits);
    socket.reset();
    return length > 0 && sink.Commit(limits) ? length : 0;
}

}  // namespace net

int32_t DownloadToFile(const char* url, const char* targetPath,
                       const DownloadExpectation* expected, int32_t maxSize) {
    net::DownloadLimits limits;
    limits.maxBody = maxSize;
    return net::DownloadWith(net::SystemSockets(), limits, url, targetPath, expected);
}

}  // namespace kelvaro
