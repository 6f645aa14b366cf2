// The update check of Kelvaro(x64).exe. What it needs of the program beyond the downloads
// and the message boxes is handed in by the program's wiring at start-up, the way the
// dangerous-process alert is.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace kelvaro {

struct UpdateCheckProgram {
    std::function<bool()> networkStarted = [] { return false; };  // at the program's start-up
    std::function<std::string()> runningVersion = [] { return std::string(); };
    std::function<int32_t()> definitionsCount = [] { return 0; };
    // Loads the definitions anew and lets everything that shows them catch up.
    std::function<void()> reloadDefinitions = [] {};
    std::function<void()> endProgram = [] {};  // does not return in the program
};
void SetUpdateCheckProgram(UpdateCheckProgram program);

// The check of the running program (command 4, and the start-up when
// "AutoNachUpdatesSuchen" is on).
void CheckForUpdates(bool manual);

}  // namespace kelvaro
