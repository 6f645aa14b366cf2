// The portable build's ANSI upper-casing: the Windows-1252 table, which matches what
// CharUpperBuffA does under code page 1252 (a test under Wine compares the two).
#include "common/ansi_text.h"

namespace kelvaro {

void UpperAnsiInPlace(std::string& text) {
    for (char& c : text) c = UpperCp1252(c);
}

}  // namespace kelvaro
