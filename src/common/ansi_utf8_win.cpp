// The Windows build's ANSI/UTF-8 conversion: the system's own, through UTF-16, in the
// active ANSI code page.
#include <windows.h>

#include <climits>

#include "common/ansi_utf8.h"

namespace kelvaro {
namespace {

// The conversion calls take int lengths; longer texts are converted in pieces that end
// before a UTF-8 lead byte, so no character is split.
constexpr size_t kPiece = INT_MAX / 4;

size_t PieceLength(std::string_view text, bool utf8) {
    if (text.size() <= kPiece) return text.size();
    size_t length = kPiece;
    if (utf8) {
        while (length > kPiece - 4 && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80) {
            --length;
        }
    }
    return length;
}

std::wstring ToWide(UINT codePage, std::string_view piece) {
    const int length = static_cast<int>(piece.size());
    const int wideLength = MultiByteToWideChar(codePage, 0, piece.data(), length, nullptr, 0);
    std::wstring wide(static_cast<size_t>(wideLength > 0 ? wideLength : 0), L'\0');
    if (wideLength > 0) {
        MultiByteToWideChar(codePage, 0, piece.data(), length, wide.data(), wideLength);
    }
    return wide;
}

void AppendNarrow(UINT codePage, DWORD flags, const std::wstring& wide, std::string& out) {
    if (wide.empty()) return;
    const int length = static_cast<int>(wide.size());
    const int narrowLength =
        WideCharToMultiByte(codePage, flags, wide.data(), length, nullptr, 0, nullptr, nullptr);
    if (narrowLength <= 0) return;
    const size_t start = out.size();
    out.resize(start + static_cast<size_t>(narrowLength));
    WideCharToMultiByte(codePage, flags, wide.data(), length, out.data() + start, narrowLength,
                        nullptr, nullptr);
}

std::string Convert(std::string_view text, UINT from, UINT to, DWORD flags) {
    std::string out;
    while (!text.empty()) {
        const size_t piece = PieceLength(text, from == CP_UTF8);
        AppendNarrow(to, flags, ToWide(from, text.substr(0, piece)), out);
        text.remove_prefix(piece);
    }
    return out;
}

}  // namespace

std::string AnsiToUtf8(std::string_view ansi) {
    return Convert(ansi, CP_ACP, CP_UTF8, 0);
}

std::string Utf8ToAnsi(std::string_view utf8) {
    // Without WC_NO_BEST_FIT_CHARS the system would write look-alikes ("L" for "Ł"), which
    // could make a name read from the file equal to a different program's name.
    return Convert(utf8, CP_UTF8, CP_ACP, WC_NO_BEST_FIT_CHARS);
}

}  // namespace kelvaro
