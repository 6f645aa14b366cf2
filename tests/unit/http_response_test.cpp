// The response head and body decoding, fed through an in-memory stream at every possible
// receive boundary.
#include "netupdate/http_response.h"

#include <gtest/gtest.h>

#include "netupdate/download.h"
#include "support/fake_socket.h"

namespace kelvaro::net {
namespace {

struct MemorySink final : BodySink {
    std::string bytes;
    bool Write(const char* data, size_t size) override {
        bytes.append(data, size);
        return true;
    }
};

const std::string kOk = "HTTP/1.1 200 OK\r\n";

// Plays `answer` in pieces of every size from 1 to its length and expects the same
// result, and on success the same body, each time.
void ExpectAtEverySplit(const std::string& answer, int32_t result, const std::string& body = "",
                        const DownloadLimits& limits = {}) {
    for (size_t piece = 1; piece <= answer.size(); ++piece) {
        test::FakeStream stream(answer, piece);
        MemorySink sink;
        ASSERT_EQ(ExchangeRequest(stream, "GET / HTTP/1.1\r\n\r\n", sink, limits), result)
            << "pieces of " << piece << " bytes:\n"
            << answer;
        if (result > 0) {
            ASSERT_EQ(sink.bytes, body) << "pieces of " << piece << " bytes";
        }
    }
}

TEST(ResponseHead, AcceptsOnlyStatus200) {
    for (const char* line : {"HTTP/1.1 200 OK", "HTTP/1.0 200", "HTTP/1.1  200 Alles gut"}) {
        EXPECT_TRUE(IsStatusOk(line)) << line;
    }
    for (const char* line :
         {"HTTP/1.1 302 Found", "HTTP/1.1 404 Not Found", "HTTP/1.1 2000 OK", "HTTP/1.1 500 200",
          "HTTP/1.1 200OK", "http/1.1 200 OK", " HTTP/1.1 200 OK", "HTTP/ 200 OK", "XHTTP/1.1 200",
          "200", "garbage 200", ""}) {
        EXPECT_FALSE(IsStatusOk(line)) << line;
    }
    ExpectAtEverySplit("HTTP/1.1 302 Found\r\nContent-Length: 3\r\n\r\nabc", 0);
}

TEST(ResponseHead, ContentLengthIsAPlainDecimalWithinThirtyTwoBits) {
    EXPECT_EQ(ReadContentLength(" 100"), 100);
    EXPECT_EQ(ReadContentLength("\t0 \t"), 0);
    EXPECT_EQ(ReadContentLength("2147483647"), INT32_MAX);
    for (const char* value :
         {"", " ", "-5", "+5", "abc", "5x", "5 5", "2147483648", "99999999999999999999", "0x10"}) {
        EXPECT_EQ(ReadContentLength(value), -1) << value;
    }
    ExpectAtEverySplit(kOk + "Content-Length: -1\r\n\r\nabc", 0);
    ExpectAtEverySplit(kOk + "Content-Length: 4294967299\r\n\r\nabc", 0);
}

TEST(ResponseHead, HeaderNamesMatchInAnyCaseAndLinesEndAtCr) {
    ExpectAtEverySplit(kOk + "cOnTeNt-LeNgTh: 3\r\nX-Other: 1\r\n\r\nabc", 3, "abc");
    ExpectAtEverySplit(kOk + "TRANSFER-ENCODING: gzip, Chunked\r\n\r\n3\r\nabc\r\n0\r\n\r\n", 3,
                       "abc");
    // A CR alone ends a line too; an LF alone does not, so this head never ends.
    ExpectAtEverySplit("HTTP/1.1 200 OK\rContent-Length: 3\r\rabc", 3, "abc");
    ExpectAtEverySplit("HTTP/1.1 200 OK\nContent-Length: 3\n\nabc", 0);
    // The same length twice is fine; two different ones leave the body's end open.
    ExpectAtEverySplit(kOk + "Content-Length: 3\r\nContent-Length: 3\r\n\r\nabc", 3, "abc");
    ExpectAtEverySplit(kOk + "Content-Length: 3\r\nContent-Length: 4\r\n\r\nabcd", 0);
}

TEST(ResponseHead, MaySpanReceivesUpToItsLimit) {
    DownloadLimits limits;
    const std::string head =
        kOk + "X-Fill: " + std::string(60, 'x') + "\r\nContent-Length: 2\r\n\r\n";
    limits.headLimit = head.size();
    ExpectAtEverySplit(head + "ok", 2, "ok", limits);
    limits.headLimit = head.size() - 1;
    ExpectAtEverySplit(head + "ok", 0, "", limits);
}

TEST(ResponseBody, AnnouncedLengthWinsAndSurplusIsDropped) {
    ExpectAtEverySplit(kOk + "Content-Length: 3\r\n\r\nabcdef", 3, "abc");
    ExpectAtEverySplit(kOk + "Transfer-Encoding: chunked\r\nContent-Length: 8\r\n\r\n3\r\nabc\r\n0",
                       8, "3\r\nabc\r\n");
    ExpectAtEverySplit(kOk + "Content-Length: 0\r\n\r\n", 0);
    ExpectAtEverySplit(kOk + "Content-Length: 5\r\n\r\nabc", 0);  // closed early
}

TEST(ResponseBody, UnknownLengthRunsToTheEndBelowTheCap) {
    ExpectAtEverySplit(kOk + "Server: x\r\n\r\nabc", 3, "abc");
    ExpectAtEverySplit(kOk + "\r\n", 0);
    DownloadLimits limits;
    limits.unknownLengthCap = 4;
    ExpectAtEverySplit(kOk + "\r\nabc", 3, "abc", limits);
    limits.unknownLengthCap = 3;
    ExpectAtEverySplit(kOk + "\r\nabc", 0, "", limits);
}

TEST(ResponseBody, ChunksAreDecoded) {
    const std::string chunked = kOk + "Transfer-Encoding: chunked\r\n\r\n";
    ExpectAtEverySplit(chunked + "5\r\nhallo\r\n0\r\n\r\n", 5, "hallo");
    ExpectAtEverySplit(
        chunked + "000A\r\n0123456789\r\n1a\r\nabcdefghijklmnopqrstuvwxyz\r\n0\r\n\r\n", 36,
        "0123456789abcdefghijklmnopqrstuvwxyz");
    ExpectAtEverySplit(chunked + "5;name=\"wert\"\r\nhallo\r\n1 ; x\r\n!\r\n0;ende\r\n\r\n", 6,
                       "hallo!");
    ExpectAtEverySplit(chunked + "3\r\nabc\r\n0\r\nX-Trailer: 1\r\n\r\n", 3, "abc");
    ExpectAtEverySplit(chunked + "3\nabc\n0\n\n", 3, "abc");  // bare LF line ends
}

TEST(ResponseBody, BrokenChunkStreamsFail) {
    const std::string chunked = kOk + "Transfer-Encoding: chunked\r\n\r\n";
    for (const char* body :
         {"zz\r\nabc\r\n0\r\n\r\n", " 3\r\nabc\r\n0\r\n\r\n", "-3\r\nabc\r\n0\r\n\r\n",
          "\r\nabc\r\n0\r\n\r\n", "80000000\r\nabc\r\n0\r\n\r\n",
          "1000000000000003\r\nabc\r\n0\r\n\r\n", "3\r\nabcX\r\n0\r\n\r\n", "3\r\nabc\rX0\r\n\r\n",
          "3\r\nabc\r\n", "3\r\nab", "0\r\n\r\n", ""}) {
        ExpectAtEverySplit(chunked + body, 0);
    }
    // A size line with endless extensions is given up.
    ExpectAtEverySplit(chunked + "3;" + std::string(5000, 'x') + "\r\nabc\r\n0\r\n\r\n", 0);
}

TEST(ChunkDecoder, RefusesSizesBeyondItsTotal) {
    ChunkDecoder big;
    std::string_view run;
    big.Next("7fffffff\r\nab", run);
    EXPECT_EQ(run, "ab");
    EXPECT_FALSE(big.failed());

    ChunkDecoder small(10);
    std::string_view data = "6\r\nabcdef\r\n5\r\nabcde\r\n0\r\n\r\n";
    while (!data.empty() && !small.failed()) data.remove_prefix(small.Next(data, run));
    EXPECT_TRUE(small.failed());
}

}  // namespace
}  // namespace kelvaro::net
