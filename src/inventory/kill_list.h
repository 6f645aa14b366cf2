// The kill list: executable names whose processes every snapshot terminates, and its group
// in the settings file.
#pragma once

#include <string>
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

}  // namespace kelvaro
