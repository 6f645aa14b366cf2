// The HTTP download client behind DownloadToFile, open to tests and fuzzers: the socket
// layer, the time limits and the place the body goes are passed in.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

#include "common/busy_retry.h"
#include "netupdate/http_response.h"
#include "netupdate/netupdate.h"
#include "netupdate/socket_seam.h"

namespace kelvaro::net {

using Milliseconds = std::chrono::milliseconds;

// Receives are made in blocks of at most this many bytes.
constexpr int kReceiveBlock = 2048;

struct DownloadLimits {
    Milliseconds sendTimeout{10000};
    Milliseconds receiveTimeout{10000};
    // A body of unknown length ends at the first second of silence.
    Milliseconds unknownLengthTimeout{1000};
    Milliseconds receivePause{100};
    Milliseconds sendPause{50};
    // A server that drips a byte now and then cannot hold the program longer than this.
    Milliseconds overall{10 * 60 * 1000};
    // How long a target held by a running program is tried again before giving up.
    BusyRetryTiming replace{Milliseconds(5000), Milliseconds(100)};
    size_t headLimit = kMaxHeadBytes;
    // A body of unknown length that reaches this size is refused.
    int32_t unknownLengthCap = 1000000000;
    // The largest body the caller takes, whatever the server announces; 0: no cap of the
    // caller's own. A larger announced length is refused before the body is read.
    int32_t maxBody = 0;
};

// Where the body bytes go.
class BodySink {
public:
    virtual ~BodySink() = default;
    virtual bool Write(const char* data, size_t size) = 0;
};

// Sends `request` on `socket` and reads the answer, writing the body to `sink` as it
// arrives. Returns the body's length when a complete body of at least one byte arrived
// (the announced length reached, the closing chunk seen, or a body of unknown length
// ended by the server), else 0; the sink may have been written to in either case.
int32_t ExchangeRequest(StreamSocket& socket, const std::string& request, BodySink& sink,
                        const DownloadLimits& limits);

// DownloadToFile with the socket layer and the limits given (`limits.maxBody` standing for
// its maximum size).
int32_t DownloadWith(SocketLayer& sockets, const DownloadLimits& limits, const char* url,
                     const char* targetPath, const DownloadExpectation* expected = nullptr);

}  // namespace kelvaro::net
