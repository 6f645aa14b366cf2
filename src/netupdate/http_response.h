// Reading an HTTP response as it arrives: the head (status line and header lines) and the
// chunked transfer coding of a body. Both take their input in pieces of any size.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kelvaro::net {

// A response head may span several receives, up to this many bytes.
constexpr size_t kMaxHeadBytes = 64 * 1024;

struct ResponseHead {
    int32_t contentLength = -1;  // -1 while no Content-Length header has been seen
    bool chunked = false;        // a Transfer-Encoding header names chunked coding
};

// Lines end at CR, an LF right after it is skipped. The first line is the status line;
// only status 200 is accepted. Header names are matched without regard to case. An empty
// line ends the head.
class ResponseHeadParser {
public:
    enum class State { NeedMore, Done, Failed };

    explicit ResponseHeadParser(size_t limit = kMaxHeadBytes) : limit_(limit) {}

    // Takes bytes of the head and returns how many belong to it; once Done, the bytes
    // after that count are the first bytes of the body.
    size_t Feed(std::string_view data);

    State state() const { return state_; }
    const ResponseHead& head() const { return head_; }

private:
    void EndLine();
    void ReadHeaderLine();

    size_t limit_;
    size_t consumed_ = 0;
    std::string line_;
    bool statusSeen_ = false;
    bool skipLf_ = false;  // the previous byte was the CR of a line
    bool headEnded_ = false;
    State state_ = State::NeedMore;
    ResponseHead head_;
};

// True for a status line "HTTP/<version> 200" with an optional reason after a blank.
bool IsStatusOk(std::string_view statusLine);

// A Content-Length value: blanks, decimal digits, blanks. -1 for anything else, including
// signs and values beyond the signed 32-bit range.
int32_t ReadContentLength(std::string_view value);

// Decodes a chunked body: size lines of hexadecimal digits (anything after the digits up
// to the LF is ignored), that many data bytes, CR LF; a chunk of size 0 ends the body.
class ChunkDecoder {
public:
    enum class State { SizeDigits, SizeRest, Data, DataCr, DataLf, Done, Failed };

    // A body whose decoded size would pass `maxTotal` fails.
    explicit ChunkDecoder(int64_t maxTotal = INT32_MAX) : maxTotal_(maxTotal) {}

    // Takes bytes from the front of `data` up to the end of the next run of chunk data
    // and sets `run` to that data (empty when none). Returns the count taken; call again
    // with the rest until it is empty or the decoder is Done or Failed.
    size_t Next(std::string_view data, std::string_view& run);

    State state() const { return state_; }
    bool done() const { return state_ == State::Done; }
    bool failed() const { return state_ == State::Failed; }

private:
    void StartSize();
    void EndSizeLine();

    int64_t maxTotal_;
    int64_t total_ = 0;
    int64_t size_ = 0;  // of the chunk being read, then the bytes of it still to come
    size_t digits_ = 0;
    size_t lineLength_ = 0;
    State state_ = State::SizeDigits;
};

}  // namespace kelvaro::net
