// The update check of the main program: asks the update server for its definitions count
// and program version, hands a newer program to the updater and loads new definitions at
// once. The steps are written once against the services they need, so that the Windows
// program and the tests run the same check.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "netupdate/netupdate.h"
#include "netupdate/report.h"
#include "signing/update_keys.h"

namespace kelvaro {

struct UpdateCheckServices {
    bool networkStarted = false;     // the socket layer's start at program start-up
    std::string baseUrl;             // ends in "/Kelvaro/"
    std::string runningVersion;      // "1.5"
    signing::UpdateKeys updateKeys;  // whose signatures on the manifest count

    // DownloadToFile: the number of bytes stored, 0 on failure (also for a body that does
    // not meet the expectation, when one is given).
    std::function<int32_t(const std::string& url, const std::string& file,
                          const DownloadExpectation* expected)>
        download;
    // The first `limit` bytes of a file, or all of a shorter one; false when it cannot be
    // opened or read.
    std::function<bool(const std::string& file, size_t limit, std::string& bytes)> readFileStart;
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
// "Keine Updates verfügbar". Nothing is offered unless the signed manifest
// "KelvaroUpdate.sig" vouches for the update information file.
void RunUpdateCheck(bool manual, const UpdateCheckServices& services);

}  // namespace kelvaro
