// The settings file as a list of kept lines: parsing from the file's bytes, the edits the
// access layer makes, and writing back to bytes. Works on the bytes as they stand in the
// file; converting to and from UTF-8 is the access layer's business.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelvaro {

enum class IniEntryKind : uint8_t { Group, Comment, Key };

// One kept line. Group: `name` is the text inside the brackets. Comment: `name` is the
// text after ";" and at most one space. Key: `name` is the key, `value` the value, with
// the blanks that the file had before the value dropped and those after it kept.
struct IniEntry {
    IniEntryKind kind = IniEntryKind::Key;
    std::string name;
    std::string value;

    bool operator==(const IniEntry&) const = default;
};

// The lines of one group: [first, end) in the entry list. `first` follows the group line;
// for the unnamed group at the top it is 0.
struct IniSpan {
    size_t first = 0;
    size_t end = 0;
};

// Texts handed in by the program are kept on one line: each CR and LF becomes a blank.
// A line end inside a value would otherwise start a line of its own (a group or key of
// the caller's making) when the file is read again. The edits below apply it themselves.
std::string IniOneLine(std::string_view text);

// Group and key names match ignoring the case of the letters A-Z only.
bool IniNamesMatch(std::string_view a, std::string_view b);

class IniDocument {
public:
    // Reads any bytes: lines end at CR, LF or CR LF; empty lines are dropped.
    static IniDocument Parse(std::string_view bytes);

    // Every kept line ended by CR LF; a UTF-8 file starts with its mark and an empty line.
    std::string Serialise() const;

    bool IsUtf8() const { return utf8_; }
    const std::vector<IniEntry>& Entries() const { return entries_; }

    // The key lines before the first group line (present even when there are none).
    IniSpan TopGroup() const;
    // The first group of that name, or nothing.
    std::optional<IniSpan> FindGroup(std::string_view name) const;
    // The position of the first key line of that name inside the group, or nothing.
    std::optional<size_t> FindKey(IniSpan group, std::string_view key) const;

    // Replaces the value of the group's first key of that name, rewriting the key with the
    // letter case given, or adds a key line after the group's last line.
    void SetKey(IniSpan group, std::string_view key, std::string_view value);
    // Adds a group line and one key line at the end.
    void AppendGroupWithKey(std::string_view group, std::string_view key, std::string_view value);
    // Removes the first group of that name with every line up to the next group line.
    // False when there is no such group.
    bool RemoveGroup(std::string_view name);

private:
    bool utf8_ = false;
    std::vector<IniEntry> entries_;
};

}  // namespace kelvaro
