// The access layer of the settings file: one file open at a time, a current group, a
// position among its key lines, and reads and writes of keys by name. Names and texts are
// ANSI text; when the file carries the UTF-8 mark they are converted on the way in and out.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kelvaro {

// Names are the program's fixed names: a group name holds no "]"; a key name holds no "=",
// has no blanks at its ends and does not start with ";" or "[". Other names are written
// all the same, but the next reading of the file splits them as its syntax says.

// The program's settings file, opened by this bare name in the working directory.
inline constexpr const char* kSettingsFileName = "Kelvaro.ini";

// Opens and reads an existing file (closing, and writing back, one that is still open).
// False when the file does not exist or cannot be opened; nothing is created. A file that
// can only be read is read normally, and every change made until IniClose is dropped.
bool IniOpen(const std::string& fileName);

// Makes the group current; true when it exists. An empty name is the unnamed group at the
// top of the file. A group that does not exist is remembered: reads in it find nothing,
// and the first write adds it at the end of the file.
bool IniSelectGroup(std::string_view name);

// True when the current group exists; positions before its first key line.
bool IniFirstKey();
// Moves to the next key line of the current group, passing over comments; false at the
// group's end.
bool IniNextKey();
// The value of the key line at the position, without blanks and tabs at either end; empty
// when there is none.
std::string IniKeyValue();

// The key's value read as the C library reads a decimal number (leading white space, an
// optional sign, digits up to the first other character; no digits read as 0; values
// beyond the 32-bit range as the nearest 32-bit value), or `defaultValue` when the current
// group has no such key.
int32_t IniReadInt(std::string_view key, int32_t defaultValue);

// Replaces the value of the key in the current group, rewriting its name in the letter
// case given, or adds the key at the end of the group (and the group at the end of the
// file when it does not exist yet). Line ends inside the name or text are written as
// blanks, so one key always stays one line.
void IniWriteInt(std::string_view key, int32_t value);
void IniWriteText(std::string_view key, std::string_view text);

// Removes the first group of that name with every line up to the next group, comments
// included; nothing when there is no such group.
void IniRemoveGroup(std::string_view name);

// Writes the file back when something was changed and the file may be written (from its
// start, cut to the new length), then releases it and everything read from it.
void IniClose();

}  // namespace kelvaro
