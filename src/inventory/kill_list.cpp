// Reading and writing the kill list in the open settings file, and the texts of the
// command that puts a process on the list.
#include "inventory/kill_list.h"

#include <algorithm>

#include "ini/ini.h"
#include "inventory/definitions.h"

namespace kelvaro {
namespace {

constexpr const char* kSystemProcessWarning = " ist ein Systemprozess.";
constexpr const char* kImportantProcessWarning = " ist ein wichtiger Prozess.";
constexpr const char* kAddQuestion =
    "\n\nWirklich zur Liste der zu beendenden Prozesse hinzufügen?";

}  // namespace

KillList& ProgramKillList() {
    static KillList list;
    return list;
}

void LoadKillList() {
    KillList& list = ProgramKillList();
    list.clear();
    IniSelectGroup(kKillListGroup);
    if (!IniFirstKey()) return;
    while (IniNextKey()) list.push_back({IniKeyValue()});
}

void WriteKillListGroup() {
    // Only the first group of a name is ever read. A second one, left standing, would
    // become the first after this removal and bring back names the user has removed.
    while (IniSelectGroup(kKillListGroup)) IniRemoveGroup(kKillListGroup);
    IniSelectGroup(kKillListGroup);
    const KillList& list = ProgramKillList();
    for (size_t i = 0; i < list.size(); ++i) IniWriteText(std::to_string(i), list[i].Name);
}

bool SaveKillList() {
    if (!IniOpen(kSettingsFileName)) return false;
    WriteKillListGroup();
    IniClose();
    return true;
}

bool KillListHolds(const KillList& list, std::string_view name) {
    return std::any_of(list.begin(), list.end(),
                       [name](const KillListEntry& entry) { return entry.Name == name; });
}

std::string KillListWarningText(std::string_view processName, int32_t verdict) {
    const char* warning = nullptr;
    if (verdict == VerdictSystem) warning = kSystemProcessWarning;
    if (verdict == VerdictImportant) warning = kImportantProcessWarning;
    if (warning == nullptr) return {};
    std::string text = "\"";
    text += processName;
    text += "\"";
    text += warning;
    text += kAddQuestion;
    return text;
}

}  // namespace kelvaro
