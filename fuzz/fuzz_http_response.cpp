// A response fed through an in-memory stream: the first byte picks the size of the
// receives, the second the limits, the rest is the answer. The result must not depend on
// where the receives split the answer, a success must have written exactly its count, and
// a body larger than the caller's cap is never a success.
#include <cstddef>
#include <cstdint>
#include <string>

#include "netupdate/download.h"
#include "support/fake_socket.h"

namespace {

struct CountingSink final : kelvaro::net::BodySink {
    std::string bytes;
    bool Write(const char* data, size_t size) override {
        bytes.append(data, size);
        return true;
    }
};

int32_t Exchange(const std::string& answer, size_t piece,
                 const kelvaro::net::DownloadLimits& limits, std::string& body) {
    kelvaro::test::FakeStream stream(answer, piece);
    CountingSink sink;
    const int32_t result =
        kelvaro::net::ExchangeRequest(stream, "GET / HTTP/1.1\r\n\r\n", sink, limits);
    body = sink.bytes;
    return result;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    const size_t piece = 1 + data[0] % 64;
    kelvaro::net::DownloadLimits limits;
    if (data[1] & 1) limits.headLimit = 64 + data[1];
    if (data[1] & 2) limits.unknownLengthCap = data[1];
    if (data[1] & 4) limits.maxBody = data[1] >> 3;
    const std::string answer(reinterpret_cast<const char*>(data) + 2, size - 2);

    std::string split;
    std::string whole;
    const int32_t result = Exchange(answer, piece, limits, split);
    if (result < 0 || result != Exchange(answer, answer.size(), limits, whole)) __builtin_trap();
    if (result > 0 && (split.size() != static_cast<size_t>(result) || split != whole)) {
        __builtin_trap();
    }
    if (result > 0 && static_cast<size_t>(result) >= answer.size()) __builtin_trap();
    if (limits.maxBody > 0 && result > limits.maxBody) __builtin_trap();
    return 0;
}
