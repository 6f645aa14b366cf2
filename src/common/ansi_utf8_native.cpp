// The portable build's ANSI/UTF-8 conversion: the ANSI code page is taken as Windows-1252,
// which is what the Windows build's system conversion gives under that code page (a test
// under Wine compares the two).
#include "common/ansi_utf8.h"

namespace kelvaro {

std::string AnsiToUtf8(std::string_view ansi) {
    return Cp1252ToUtf8(ansi);
}

std::string Utf8ToAnsi(std::string_view utf8) {
    return Utf8ToCp1252(utf8);
}

}  // namespace kelvaro
