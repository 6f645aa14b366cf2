// Reading and writing the settings file's syntax.
#include "ini/ini_document.h"

#include <algorithm>
#include <utility>

#include "common/ansi_text.h"

namespace kelvaro {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kCommentStart = "; ";
constexpr std::string_view kKeySeparator = " = ";

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// One comparison rejects almost every byte: both line ends are below 14.
bool IsLineEnd(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte <= '\r' && (byte == '\r' || byte == '\n');
}

std::string_view DropTrailingBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

std::string_view DropLeadingBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    return text;
}

// A line that is not empty once its leading blanks are gone, as a kept entry.
IniEntry EntryFromLine(std::string_view line) {
    IniEntry entry;
    if (line.front() == ';') {
        line.remove_prefix(1);
        if (!line.empty() && line.front() == ' ') line.remove_prefix(1);
        entry.kind = IniEntryKind::Comment;
        entry.name = line;
    } else if (line.front() == '[') {
        line.remove_prefix(1);
        entry.kind = IniEntryKind::Group;
        entry.name = line.substr(0, line.find(']'));
    } else {
        const size_t equals = line.find('=');
        entry.kind = IniEntryKind::Key;
        entry.name = DropTrailingBlanks(line.substr(0, equals));
        if (equals != std::string_view::npos)
            entry.value = DropLeadingBlanks(line.substr(equals + 1));
    }
    return entry;
}

size_t SerialisedSize(const IniEntry& entry) {
    const size_t text = entry.name.size() + kLineEnd.size();
    switch (entry.kind) {
        case IniEntryKind::Group:
            return text + 2;
        case IniEntryKind::Comment:
            return text + kCommentStart.size();
        case IniEntryKind::Key:
            return text + kKeySeparator.size() + entry.value.size();
    }
    return text;
}

}  // namespace

std::string IniOneLine(std::string_view text) {
    std::string line(text);
    std::replace_if(line.begin(), line.end(), IsLineEnd, ' ');
    return line;
}

bool IniNamesMatch(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i] != b[i] && LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    }
    return true;
}

IniDocument IniDocument::Parse(std::string_view bytes) {
    IniDocument document;
    if (bytes.starts_with(kUtf8Mark)) {
        document.utf8_ = true;
        bytes.remove_prefix(kUtf8Mark.size());
    }
    // One entry per line feed is an upper bound for most files; a CR-only file just grows.
    document.entries_.reserve(static_cast<size_t>(std::count(bytes.begin(), bytes.end(), '\n')) +
                              1);
    size_t pos = 0;
    while (pos < bytes.size()) {
        size_t start = pos;
        while (start < bytes.size() && IsBlank(bytes[start])) ++start;
        size_t end = start;
        while (end < bytes.size() && !IsLineEnd(bytes[end])) ++end;
        pos = end;
        if (end < bytes.size()) {
            const bool crlf =
                bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n';
            pos = end + (crlf ? 2 : 1);
        }
        if (end > start)
            document.entries_.push_back(EntryFromLine(bytes.substr(start, end - start)));
    }
    return document;
}

std::string IniDocument::Serialise() const {
    size_t size = kUtf8Mark.size() + kLineEnd.size();
    for (const IniEntry& entry : entries_) size += SerialisedSize(entry);
    std::string bytes;
    bytes.reserve(size);
    if (utf8_) {
        bytes += kUtf8Mark;
        bytes += kLineEnd;
    } else if (!entries_.empty() && entries_.front().name.starts_with(kUtf8Mark)) {
        // A key that begins with the mark's bytes (it stood after an empty line or blanks)
        // would turn the file into a UTF-8 file at the next reading; the empty line keeps
        // it an ANSI file, and readers skip it.
        bytes += kLineEnd;
    }
    for (const IniEntry& entry : entries_) {
        switch (entry.kind) {
            case IniEntryKind::Group:
                bytes += '[';
                bytes += entry.name;
                bytes += ']';
                break;
            case IniEntryKind::Comment:
                bytes += kCommentStart;
                bytes += entry.name;
                break;
            case IniEntryKind::Key:
                bytes += entry.name;
                bytes += kKeySeparator;
                bytes += entry.value;
                break;
        }
        bytes += kLineEnd;
    }
    return bytes;
}

IniSpan IniDocument::TopGroup() const {
    const auto group = std::find_if(entries_.begin(), entries_.end(), [](const IniEntry& e) {
        return e.kind == IniEntryKind::Group;
    });
    return {0, static_cast<size_t>(group - entries_.begin())};
}

std::optional<IniSpan> IniDocument::FindGroup(std::string_view name) const {
    for (size_t i = 0; i < entries_.size(); ++i) {
        const IniEntry& entry = entries_[i];
        if (entry.kind != IniEntryKind::Group || !IniNamesMatch(entry.name, name)) continue;
        size_t end = i + 1;
        while (end < entries_.size() && entries_[end].kind != IniEntryKind::Group) ++end;
        return IniSpan{i + 1, end};
    }
    return std::nullopt;
}

std::optional<size_t> IniDocument::FindKey(IniSpan group, std::string_view key) const {
    for (size_t i = group.first; i < group.end; ++i) {
        const IniEntry& entry = entries_[i];
        if (entry.kind == IniEntryKind::Key && IniNamesMatch(entry.name, key)) return i;
    }
    return std::nullopt;
}

void IniDocument::SetKey(IniSpan group, std::string_view key, std::string_view value) {
    std::string name = IniOneLine(key);
    if (const std::optional<size_t> found = FindKey(group, name)) {
        IniEntry& entry = entries_[*found];
        entry.name = std::move(name);
        entry.value = IniOneLine(value);
        return;
    }
    entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(group.end),
                    IniEntry{IniEntryKind::Key, std::move(name), IniOneLine(value)});
}

void IniDocument::AppendGroupWithKey(std::string_view group, std::string_view key,
                                     std::string_view value) {
    entries_.push_back(IniEntry{IniEntryKind::Group, IniOneLine(group), {}});
    entries_.push_back(IniEntry{IniEntryKind::Key, IniOneLine(key), IniOneLine(value)});
}

bool IniDocument::RemoveGroup(std::string_view name) {
    const std::optional<IniSpan> group = FindGroup(name);
    if (!group) return false;
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(group->first - 1),
                   entries_.begin() + static_cast<std::ptrdiff_t>(group->end));
    return true;
}

}  // namespace kelvaro
