// The update check of the main program: asks the update server for its definitions count
// and program version, hands a newer program to the updater and loads new definitions at
// once. The steps are written once against the services they need, so that the Windows
// program and the tests run the same check.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "netupdate/report.h"

namespace kelvaro {

struct UpdateCheckServices {
    bool networkStarted = false;  // the socket layer's start at program start-up
    std::string baseUrl;          // ends in "/Kelvaro/"
    std::string runningVersion;   // "1.5"

    // DownloadToFile: the number of bytes stored, 0 on failure.
    std::function<int32_t(const std::string& url, const std::string& file)> download;
    // The start of a file, at least its first kUpdateInfoReadLimit bytes (no more count);
    // false when it cannot be opened.
    std::function<bool(const std::string& file, std::string& bytes)> readFileStart;
    std::function<void(const std::string& file)> deleteFile;
    // A box with an OK button, and a question captioned "Kelvaro" (true for Yes).
    OkBox showBox;
    std::function<bool(const std::string& question)> ask;
    std::function<int32_t()> definitionsCount;
    // Clears and loads the definitions, shows their count and refreshes the lists.
    std::function<void()> reloadDefinitions;
    std::function<int(const std::string& program, const std::string& parameters,
                      const std::string& directory)>
        startProgram;
    std::function<void()> endProgram;  // does not return in the program
};

// One update check; `manual` when the user asked for it. Only the manual check says
// "Keine Updates verfügbar".
void RunUpdateCheck(bool manual, const UpdateCheckServices& services);

// The check of the running program (command 4, and the start-up when
// "AutoNachUpdatesSuchen" is on). Windows only.
void CheckForUpdates(bool manual);

}  // namespace kelvaro
