// The five settings of the main program, read from "Kelvaro.ini" at start-up. All are 0
// until they are read, and stay 0 when the file is missing.
#pragma once

#include <cstdint>

namespace kelvaro {

struct Settings {
    int32_t Autostart = 0;        // "Autostart": a shortcut lies in the startup folder
    int32_t StartMinimised = 0;   // "Minimiert Starten": start hidden, with the tray icon
    int32_t CheckForUpdates = 0;  // "AutoNachUpdatesSuchen": update check at start-up
    int32_t AutoRefresh = 0;      // "AutoAktualisieren": timer 1 refreshes the lists
    int32_t Timeout = 0;          // "Timeout": interval of timer 1 in seconds
};

// The program's one settings record, from start to end.
Settings& ProgramSettings();

// The largest interval the window system's timers accept.
inline constexpr uint32_t kTimerMaximumMs = 0x7FFFFFFF;
// The interval of the refresh timer for "Timeout" seconds. Intervals beyond the window
// system's limit, negative ones included, become that limit, as the system itself would
// reduce them; the product is formed in 64 bits so that no "Timeout" wraps round.
uint32_t AutoRefreshIntervalMs(int32_t timeoutSeconds);

}  // namespace kelvaro
