// The kill list: executable names whose processes every snapshot terminates, and its group
// in the settings file.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kelvaro {

struct KillListEntry {
    std::string Name;  // letter case and inner blanks as entered
};

using KillList = std::vector<KillListEntry>;

// The program's one kill list, from start to end.
KillList& ProgramKillList();

// The settings file's group that holds the kill list, one key line per name.
inline constexpr const char* kKillListGroup = "Prozesse zum Beenden";

// Replaces the kill list with the values of the group's key lines in file order, read from
// the settings file that is open now (IniOpen); the keys themselves do not count. Values
// lose their blanks and tabs at both ends; a missing or empty group gives an empty list.
void LoadKillList();

// Writes the kill list into the settings file that is open now: the group goes with all
// its lines (every group of that name, should the file hold it twice) and is written anew
// at the end of the file, keys 0, 1, 2, ... in list order. An empty list leaves no group.
void WriteKillListGroup();

// Opens the settings file, writes the kill list into it and closes it, which writes it.
// False, with nothing written, when the file is missing or cannot be opened: the program
// never creates it.
bool SaveKillList();

// Whether an entry equals the name byte for byte (letter case significant).
bool KillListHolds(const KillList& list, std::string_view name);

// The question asked before a process of this verdict is put on the kill list: for a
// "Systemprozess" and a "Wichtig" process, naming it in quotation marks; empty for every
// other verdict, which is put on the list without a question.
std::string KillListWarningText(std::string_view processName, int32_t verdict);

// The caption of the kill list's questions and notices, and the notice for a name that is
// already on the list.
inline constexpr const char* kKillListCaption = "Kelvaro";
inline constexpr const char* kAlreadyListedText = "Element existiert bereits";

}  // namespace kelvaro
