// Reading an HTTP response as it arrives: the head and the chunked transfer coding.
#include "netupdate/http_response.h"

#include <algorithm>

namespace kelvaro::net {
namespace {

// A chunk size line with its extensions; longer lines are not worth waiting for.
constexpr size_t kMaxChunkLine = 4096;

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool StartsWithNoCase(std::string_view text, std::string_view lowerPrefix) {
    if (text.size() < lowerPrefix.size()) return false;
    for (size_t i = 0; i < lowerPrefix.size(); ++i) {
        if (LowerAscii(text[i]) != lowerPrefix[i]) return false;
    }
    return true;
}

bool ContainsNoCase(std::string_view text, std::string_view lowerWord) {
    const auto found = std::search(text.begin(), text.end(), lowerWord.begin(), lowerWord.end(),
                                   [](char a, char b) { return LowerAscii(a) == b; });
    return found != text.end();
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

constexpr std::string_view kContentLength = "content-length:";
constexpr std::string_view kTransferEncoding = "transfer-encoding:";

}  // namespace

bool IsStatusOk(std::string_view statusLine) {
    constexpr std::string_view kProtocol = "HTTP/";
    if (statusLine.substr(0, kProtocol.size()) != kProtocol) return false;
    const size_t blank = statusLine.find(' ');
    if (blank == std::string_view::npos || blank == kProtocol.size()) return false;
    const size_t code = statusLine.find_first_not_of(' ', blank);
    if (code == std::string_view::npos) return false;
    const std::string_view rest = statusLine.substr(code);
    return rest.substr(0, 3) == "200" && (rest.size() == 3 || rest[3] == ' ');
}

int32_t ReadContentLength(std::string_view value) {
    size_t i = 0;
    while (i < value.size() && IsBlank(value[i])) ++i;
    const size_t first = i;
    int64_t number = 0;
    for (; i < value.size() && value[i] >= '0' && value[i] <= '9'; ++i) {
        number = number * 10 + (value[i] - '0');
        if (number > INT32_MAX) return -1;
    }
    if (i == first) return -1;
    while (i < value.size() && IsBlank(value[i])) ++i;
    return i == value.size() ? static_cast<int32_t>(number) : -1;
}

size_t ResponseHeadParser::Feed(std::string_view data) {
    size_t used = 0;
    while (used < data.size() && state_ == State::NeedMore) {
        const char c = data[used];
        const bool lineFeedAfterCr = skipLf_ && c == '\n';
        // The empty line ended at its CR; without an LF after it the body begins here.
        if (skipLf_ && headEnded_ && !lineFeedAfterCr) {
            state_ = State::Done;
            break;
        }
        skipLf_ = false;
        ++used;
        if (++consumed_ > limit_) {
            state_ = State::Failed;
        } else if (lineFeedAfterCr) {
            if (headEnded_) state_ = State::Done;
        } else if (c == '\r') {
            EndLine();
            skipLf_ = true;
        } else {
            line_.push_back(c);
        }
    }
    return used;
}

void ResponseHeadParser::EndLine() {
    if (!statusSeen_) {
        statusSeen_ = true;
        if (!IsStatusOk(line_)) state_ = State::Failed;
    } else if (line_.empty()) {
        headEnded_ = true;
    } else {
        ReadHeaderLine();
    }
    line_.clear();
}

void ResponseHeadParser::ReadHeaderLine() {
    const std::string_view line = line_;
    if (StartsWithNoCase(line, kContentLength)) {
        const int32_t length = ReadContentLength(line.substr(kContentLength.size()));
        // Two different lengths leave the body's end open to the reader's guess.
        if (length < 0 || (head_.contentLength >= 0 && head_.contentLength != length)) {
            state_ = State::Failed;
        } else {
            head_.contentLength = length;
        }
    } else if (StartsWithNoCase(line, kTransferEncoding)) {
        if (ContainsNoCase(line.substr(kTransferEncoding.size()), "chunked")) head_.chunked = true;
    }
}

size_t ChunkDecoder::Next(std::string_view data, std::string_view& run) {
    run = {};
    size_t used = 0;
    while (used < data.size()) {
        if (state_ == State::Done || state_ == State::Failed) return used;
        if (state_ == State::Data) {
            const size_t take =
                static_cast<size_t>(std::min<int64_t>(size_, int64_t(data.size() - used)));
            run = data.substr(used, take);
            used += take;
            size_ -= static_cast<int64_t>(take);
            if (size_ == 0) state_ = State::DataCr;
            return used;
        }
        const char c = data[used++];
        switch (state_) {
            case State::SizeDigits: {
                if (++lineLength_ > kMaxChunkLine) {
                    state_ = State::Failed;
                    break;
                }
                const int digit = HexValue(c);
                if (digit >= 0) {
                    size_ = size_ * 16 + digit;
                    ++digits_;
                    if (size_ > maxTotal_ - total_) state_ = State::Failed;
                } else if (digits_ == 0) {
                    state_ = State::Failed;
                } else if (c == '\n') {
                    EndSizeLine();
                } else {
                    state_ = State::SizeRest;
                }
                break;
            }
            case State::SizeRest:
                if (++lineLength_ > kMaxChunkLine) {
                    state_ = State::Failed;
                } else if (c == '\n') {
                    EndSizeLine();
                }
                break;
            case State::DataCr:
                if (c == '\r') {
                    state_ = State::DataLf;
                } else if (c == '\n') {
                    StartSize();
                } else {
                    state_ = State::Failed;
                }
                break;
            case State::DataLf:
                if (c == '\n') {
                    StartSize();
                } else {
                    state_ = State::Failed;
                }
                break;
            default:
                break;
        }
    }
    return used;
}

void ChunkDecoder::StartSize() {
    size_ = 0;
    digits_ = 0;
    lineLength_ = 0;
    state_ = State::SizeDigits;
}

void ChunkDecoder::EndSizeLine() {
    if (size_ == 0) {
        state_ = State::Done;
        return;
    }
    total_ += size_;
    state_ = State::Data;
}

}  // namespace kelvaro::net
