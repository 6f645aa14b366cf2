// Any bytes read as a settings file without a crash; the written file reads back to the
// same entries and writes the same bytes again, also after the edits the access layer
// makes, and a written value reads back as written. The Windows-1252 / UTF-8 table takes any bytes
// as well.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/ansi_utf8.h"
#include "ini/ini_document.h"

namespace {

using kelvaro::IniDocument;
using kelvaro::IniEntryKind;

void Check(bool condition) {
    if (!condition) __builtin_trap();
}

// A document read from a file writes bytes that read back to the same entries and write
// the same bytes again.
void CheckRoundTrip(const IniDocument& document) {
    const std::string written = document.Serialise();
    const IniDocument again = IniDocument::Parse(written);
    Check(again.IsUtf8() == document.IsUtf8());
    Check(again.Entries() == document.Entries());
    Check(again.Serialise() == written);
}

void EditLikeTheProgram(IniDocument& document, std::string_view value) {
    // The first group name of the file, removed as the kill list's group is.
    for (const kelvaro::IniEntry& entry : document.Entries()) {
        if (entry.kind == IniEntryKind::Group) {
            const std::string name = entry.name;
            Check(document.RemoveGroup(name));
            break;
        }
    }
    document.SetKey(document.TopGroup(), "Version", "2");
    if (const auto group = document.FindGroup("Einstellungen")) {
        document.SetKey(*group, "Timeout", value);
    } else {
        document.AppendGroupWithKey("Einstellungen", "Timeout", value);
    }
}

// The value as a later reading sees it: one line, without the blanks before it.
std::string ValueAsRead(std::string_view value) {
    std::string line = kelvaro::IniOneLine(value);
    line.erase(0, line.find_first_not_of(" \t"));
    return line;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    IniDocument document = IniDocument::Parse(bytes);
    CheckRoundTrip(document);

    const std::string_view value = bytes.substr(0, 24);
    EditLikeTheProgram(document, value);
    // Blanks before a written value are dropped by the next reading, so the edited
    // document itself need not survive; what was saved must.
    const IniDocument saved = IniDocument::Parse(document.Serialise());
    CheckRoundTrip(saved);
    const auto group = saved.FindGroup("Einstellungen");
    Check(group.has_value());
    const auto key = saved.FindKey(*group, "TIMEOUT");
    Check(key.has_value());
    Check(saved.Entries()[*key].value == ValueAsRead(value));

    Check(kelvaro::Utf8ToCp1252(kelvaro::Cp1252ToUtf8(bytes)) == bytes);
    Check(kelvaro::Utf8ToCp1252(bytes).size() <= bytes.size());
    return 0;
}
