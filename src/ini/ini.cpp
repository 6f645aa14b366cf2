// The access layer over the one open settings file.
#include "ini/ini.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/ansi_text.h"
#include "common/ansi_utf8.h"
#include "ini/ini_document.h"
#include "ini/ini_file.h"

namespace kelvaro {
namespace {

// Everything the layer holds between IniOpen and IniClose.
struct IniSession {
    IniFile file;
    IniDocument document;
    bool changed = false;
    // The current group by name (in the file's encoding): it is looked up again for each
    // use, so removing a group or creating a pending one never leaves a stale position.
    bool topGroup = true;
    std::string groupName;
    // The key line at the position: none before the first key line and after the last.
    std::optional<size_t> position;
    size_t next = 0;  // where IniNextKey looks next
    bool walking = false;
};

IniSession& Session() {
    static IniSession session;
    return session;
}

// A name or text of the program as it is compared and stored in the open file.
std::string ToFile(std::string_view ansi) {
    const std::string line = IniOneLine(ansi);
    return Session().document.IsUtf8() ? AnsiToUtf8(line) : line;
}

std::string FromFile(std::string_view text) {
    return Session().document.IsUtf8() ? Utf8ToAnsi(text) : std::string(text);
}

std::optional<IniSpan> CurrentGroup() {
    IniSession& session = Session();
    if (!session.file.IsOpen()) return std::nullopt;
    if (session.topGroup) return session.document.TopGroup();
    return session.document.FindGroup(session.groupName);
}

void ResetPosition() {
    IniSession& session = Session();
    session.position.reset();
    session.walking = false;
}

bool IsCSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// As strtol with base 10 where long has 32 bits: leading white space, an optional sign,
// the digits up to the first other character.
int32_t ReadDecimal(std::string_view text) {
    size_t pos = 0;
    while (pos < text.size() && IsCSpace(text[pos])) ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    // Saturates one past the 32-bit range, so no run of digits can overflow.
    constexpr int64_t kCeiling = int64_t{INT32_MAX} + 2;
    int64_t magnitude = 0;
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
        magnitude = std::min(magnitude * 10 + (text[pos] - '0'), kCeiling);
    }
    const int64_t value = negative ? -magnitude : magnitude;
    return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

void WriteValue(std::string_view key, std::string_view text) {
    IniSession& session = Session();
    if (!session.file.IsOpen()) return;
    const std::string fileKey = ToFile(key);
    const std::string fileText = ToFile(text);
    if (const std::optional<IniSpan> group = CurrentGroup()) {
        session.document.SetKey(*group, fileKey, fileText);
    } else {
        session.document.AppendGroupWithKey(session.groupName, fileKey, fileText);
    }
    session.changed = true;
}

}  // namespace

bool IniOpen(const std::string& fileName) {
    IniClose();
    IniSession& session = Session();
    std::string bytes;
    if (!session.file.Open(fileName, bytes)) return false;
    session.document = IniDocument::Parse(bytes);
    return true;
}

bool IniSelectGroup(std::string_view name) {
    IniSession& session = Session();
    if (!session.file.IsOpen()) return false;
    session.topGroup = name.empty();
    session.groupName = ToFile(name);
    ResetPosition();
    return CurrentGroup().has_value();
}

bool IniFirstKey() {
    ResetPosition();
    const std::optional<IniSpan> group = CurrentGroup();
    if (!group) return false;
    IniSession& session = Session();
    session.walking = true;
    session.next = group->first;
    return true;
}

bool IniNextKey() {
    IniSession& session = Session();
    session.position.reset();
    if (!session.walking) return false;
    const std::vector<IniEntry>& entries = session.document.Entries();
    while (session.next < entries.size() && entries[session.next].kind != IniEntryKind::Group) {
        const size_t at = session.next++;
        if (entries[at].kind == IniEntryKind::Key) {
            session.position = at;
            return true;
        }
    }
    session.walking = false;
    return false;
}

std::string IniKeyValue() {
    IniSession& session = Session();
    if (!session.position) return {};
    return FromFile(TrimBlanks(session.document.Entries()[*session.position].value));
}

int32_t IniReadInt(std::string_view key, int32_t defaultValue) {
    const std::optional<IniSpan> group = CurrentGroup();
    if (!group) return defaultValue;
    const IniDocument& document = Session().document;
    const std::optional<size_t> found = document.FindKey(*group, ToFile(key));
    if (!found) return defaultValue;
    return ReadDecimal(FromFile(document.Entries()[*found].value));
}

void IniWriteInt(std::string_view key, int32_t value) {
    WriteValue(key, std::to_string(value));
}

void IniWriteText(std::string_view key, std::string_view text) {
    WriteValue(key, text);
}

void IniRemoveGroup(std::string_view name) {
    IniSession& session = Session();
    if (!session.file.IsOpen()) return;
    if (!session.document.RemoveGroup(ToFile(name))) return;
    session.changed = true;
    ResetPosition();
}

void IniClose() {
    IniSession& session = Session();
    if (session.file.IsOpen() && session.changed && session.file.IsWritable()) {
        session.file.Replace(session.document.Serialise());
    }
    session.file.Close();
    session.document = IniDocument{};
    session.changed = false;
    session.topGroup = true;
    session.groupName.clear();
    ResetPosition();
}

}  // namespace kelvaro
