// Conversion between the ANSI code page and UTF-8, for settings files that carry the UTF-8
// byte-order mark: the system's conversion on Windows, a Windows-1252 table elsewhere.
#pragma once

#include <string>
#include <string_view>

namespace kelvaro {

// The platform's conversions: MultiByteToWideChar / WideCharToMultiByte through UTF-16 on
// Windows (CP_ACP and CP_UTF8), the Windows-1252 functions below elsewhere.
//
// A character that the ANSI code page cannot show becomes one "?" per UTF-16 unit (a
// character beyond U+FFFF gives "??"); no look-alike is substituted, so "Ł" gives "?",
// not "L". Bytes that are not well-formed UTF-8 become "?" as well: the table counts one
// per maximal ill-formed piece, as Unicode recommends; the system decides on Windows.
std::string AnsiToUtf8(std::string_view ansi);
std::string Utf8ToAnsi(std::string_view utf8);

// Windows-1252 <-> UTF-8 by table, in both builds. The five bytes that Windows-1252 leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the control characters of the same
// number, as the system's table has them, so every byte survives a round trip.
std::string Cp1252ToUtf8(std::string_view text);
std::string Utf8ToCp1252(std::string_view utf8);

}  // namespace kelvaro
