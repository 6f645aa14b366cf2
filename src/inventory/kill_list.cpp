// Reading the kill list from the open settings file.
#include "inventory/kill_list.h"

#include "shell/ini.h"

namespace kelvaro {

void LoadKillList() {
    KillList& list = ProgramKillList();
    list.clear();
    IniSelectGroup(kKillListGroup);
    if (!IniFirstKey()) return;
    while (IniNextKey()) list.push_back({IniKeyValue()});
}

}  // namespace kelvaro
