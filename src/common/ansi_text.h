// Single-byte ANSI text helpers: upper-casing for name matching, and small byte utilities.
#pragma once

#include <string>
#include <string_view>

namespace kelvaro {

// Upper-cases one Windows-1252 byte the way the system's ANSI upper-casing does for code
// page 1252: a-z, the accented small letters and š œ ž ÿ; ß and µ have no capital here.
char UpperCp1252(char c);

// Upper-cases a text with the platform's ANSI upper-casing: CharUpperBuffA on Windows,
// the Windows-1252 table elsewhere.
std::string UpperAnsi(std::string_view text);
void UpperAnsiInPlace(std::string& text);

// Folds only the ASCII letters A-Z to a-z; every other byte stays as it is.
char LowerAscii(char c);

// The text without leading and trailing blanks and tabs.
std::string_view TrimBlanks(std::string_view text);

}  // namespace kelvaro
