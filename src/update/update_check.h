// The update check of the main program: asks the update server for its definitions count
// and program version, hands a newer program to the updater and loads new definitions at
// once. The steps are written once against the services they need, so that the Windows
// program and the tests run the same check.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "netupdate/report.h"
#include "netupdate/update_system.h"
#include "signing/update_keys.h"

namespace kelvaro {

// The system's services (download, files, starting the updater) and the program's own.
struct UpdateCheckServices : UpdateSystemServices {
    bool networkStarted = false;     // the socket layer's start at program start-up
    std::string baseUrl;             // ends in "/Kelvaro/"
    std::string runningVersion;      // "1.5"
    // KelvaroUpdate.exe beside the running program's own file, by its full path, so that
    // no search of the system finds another file of that name.
    std::string updaterPath;
    signing::UpdateKeys updateKeys;  // whose signatures on the manifest count

    // A box with an OK button, and a question captioned "Kelvaro" (true for Yes).
    OkBox showBox;
    std::function<bool(const std::string& question)> ask;
    std::function<int32_t()> definitionsCount;
    // Clears and loads the definitions, shows their count and refreshes the lists.
    std::function<void()> reloadDefinitions;
    std::function<void()> endProgram;  // does not return in the program
};

// One update check; `manual` when the user asked for it. Only the manual check says
// "Keine Updates verfügbar". Nothing is offered unless the signed manifest
// "KelvaroUpdate.sig" vouches for the update information file.
void RunUpdateCheck(bool manual, const UpdateCheckServices& services);

}  // namespace kelvaro
