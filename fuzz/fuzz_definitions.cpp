// Any bytes load as a definitions file without a crash, and every loaded record can be
// found again through the index under its upper-cased name.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "common/ansi_text.h"
#include "inventory/definitions.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    kelvaro::DefinitionTable table;
    table.AppendFile(std::string_view(reinterpret_cast<const char*>(data), size));
    for (const kelvaro::DefinitionRecord& record : table.Records()) {
        const kelvaro::DefinitionRecord* found = table.Find(kelvaro::UpperAnsi(record.Name));
        if (found == nullptr) __builtin_trap();
        uint32_t colour = 0;
        kelvaro::DescribeVerdict(record.Verdict, colour);
    }
    return 0;
}
