// The kill list: executable names whose processes every snapshot terminates.
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

}  // namespace kelvaro
