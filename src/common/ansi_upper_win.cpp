// The Windows build's ANSI upper-casing: the system's own, in the active ANSI code page.
#include <windows.h>

#include <algorithm>

#include "common/ansi_text.h"

namespace kelvaro {

void UpperAnsiInPlace(std::string& text) {
    // CharUpperBuffA takes a DWORD length; names are far below that, but a longer text is
    // done in pieces rather than cut.
    size_t done = 0;
    while (done < text.size()) {
        const size_t piece = std::min<size_t>(text.size() - done, 0x7FFFFFFF);
        CharUpperBuffA(text.data() + done, static_cast<DWORD>(piece));
        done += piece;
    }
}

}  // namespace kelvaro
