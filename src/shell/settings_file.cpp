// The settings group of the settings file: reading with defaults, and the order of a save.
#include "shell/settings_file.h"

#include "ini/ini.h"
#include "inventory/kill_list.h"

namespace kelvaro {

Settings ReadSettingsGroup() {
    IniSelectGroup(kSettingsGroup);
    Settings settings;
    settings.Autostart = IniReadInt(kAutostartKey, kSettingsDefaults.Autostart);
    settings.StartMinimised = IniReadInt(kStartMinimisedKey, kSettingsDefaults.StartMinimised);
    settings.AutoRefresh = IniReadInt(kAutoRefreshKey, kSettingsDefaults.AutoRefresh);
    settings.CheckForUpdates = IniReadInt(kCheckForUpdatesKey, kSettingsDefaults.CheckForUpdates);
    settings.Timeout = IniReadInt(kTimeoutKey, kSettingsDefaults.Timeout);
    return settings;
}

void WriteSettingsGroup(const Settings& settings) {
    IniSelectGroup(kSettingsGroup);
    IniWriteInt(kAutostartKey, settings.Autostart);
    IniWriteInt(kStartMinimisedKey, settings.StartMinimised);
    IniWriteInt(kAutoRefreshKey, settings.AutoRefresh);
    IniWriteInt(kCheckForUpdatesKey, settings.CheckForUpdates);
    IniWriteInt(kTimeoutKey, settings.Timeout);
}

bool LoadSettingsFile() {
    if (!IniOpen(kSettingsFileName)) return false;
    LoadKillList();
    ProgramSettings() = ReadSettingsGroup();
    // Nothing was changed, so nothing is written.
    IniClose();
    return true;
}

bool SaveSettingsFile(const Settings& chosen, const SettingsSaveEffects& effects) {
    if (!IniOpen(kSettingsFileName)) return false;
    if (effects.placeAutostart) effects.placeAutostart(chosen.Autostart != 0);
    ProgramSettings() = chosen;
    // A "Timeout" of 0 or below leaves the timer as it runs; the file keeps the number
    // all the same, and the next start goes by it.
    if (chosen.Timeout > 0 && effects.restartRefreshTimer) {
        effects.restartRefreshTimer(chosen.Timeout);
    }
    WriteSettingsGroup(chosen);
    IniClose();
    return true;
}

}  // namespace kelvaro
