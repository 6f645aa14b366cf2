// The settings group of "Kelvaro.ini": its five keys with their defaults, the reading of
// the whole file at start-up and when the dialog opens, and the order of a save. The
// window-system effects of a save (shortcut, timer) are handed in by the caller.
#pragma once

#include <cstdint>
#include <functional>

#include "shell/settings.h"

namespace kelvaro {

inline constexpr const char* kSettingsGroup = "Einstellungen";
inline constexpr const char* kAutostartKey = "Autostart";
inline constexpr const char* kStartMinimisedKey = "Minimiert Starten";
inline constexpr const char* kAutoRefreshKey = "AutoAktualisieren";
inline constexpr const char* kCheckForUpdatesKey = "AutoNachUpdatesSuchen";
inline constexpr const char* kTimeoutKey = "Timeout";

// What a missing key or group means. A missing file is another matter: nothing is read.
inline constexpr Settings kSettingsDefaults{
    .Autostart = 0, .StartMinimised = 0, .CheckForUpdates = 1, .AutoRefresh = 1, .Timeout = 5};

// The five keys of the group "Einstellungen" of the open settings file, each with its
// default when it is missing.
Settings ReadSettingsGroup();
// Writes the five keys into the group "Einstellungen" of the open settings file, in the
// order in which new keys are added.
void WriteSettingsGroup(const Settings& settings);

// Reads the settings file: the kill list first, then the settings into the program's
// record. False, with the kill list and the record as they were, when the file cannot be
// opened.
bool LoadSettingsFile();

// What a save does beyond the file: the autostart shortcut placed (true) or removed
// (false), and the refresh timer restarted with a new "Timeout" of more than 0.
struct SettingsSaveEffects {
    std::function<void(bool autostart)> placeAutostart;
    std::function<void(int32_t timeout)> restartRefreshTimer;
};

// Saves the settings chosen in the dialog: the shortcut, the program's record, the timer,
// then the five keys, and writes the file. False, with nothing changed and no effect run,
// when the settings file cannot be opened; the program never creates it.
bool SaveSettingsFile(const Settings& chosen, const SettingsSaveEffects& effects);

}  // namespace kelvaro
