// The updater's one pass: fetch the named file from the update server over the old one,
// and start it. Written against the services it needs, so that KelvaroUpdate.exe and the
// tests run the same steps.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "netupdate/report.h"

namespace kelvaro {

inline constexpr const char* kUpdaterNoNetworkText = "Keine Internetverbindung für Update";
inline constexpr const char* kDownloadFailedText = "Download fehlgeschlagen";

struct UpdaterServices {
    std::string baseUrl;  // ends in "/Kelvaro/"
    std::function<bool()> startNetwork;
    // DownloadToFile: the number of bytes stored, 0 on failure.
    std::function<int32_t(const std::string& url, const std::string& file)> download;
    OkBox showBox;
    std::function<int(const std::string& program, const std::string& parameters,
                      const std::string& directory)>
        startProgram;
    // Shuts the socket layer down and ends the process with exit code 0; does not return
    // in the program.
    std::function<void()> end;
};

// Runs the updater for the platform's whole command-line text and ends through
// `services.end`.
void RunUpdater(std::string_view commandLine, const UpdaterServices& services);

}  // namespace kelvaro
