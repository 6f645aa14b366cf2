// The updater's one pass: fetch the named file from the update server over the old one,
// and start it. The file is taken only as the signed manifest describes it, and only from
// a release newer than both the updater's own and the program file it replaces. Written against the services it needs, so that
// KelvaroUpdate.exe and the tests run the same steps.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "netupdate/report.h"
#include "netupdate/update_system.h"
#include "signing/manifest.h"
#include "signing/update_keys.h"

namespace kelvaro {

inline constexpr const char* kUpdaterNoNetworkText = "Keine Internetverbindung für Update";
inline constexpr const char* kDownloadFailedText = "Download fehlgeschlagen";

// The system's services (download, files, starting the new program) and the updater's own.
struct UpdaterServices : UpdateSystemServices {
    std::string baseUrl;             // ends in "/Kelvaro/"
    std::string ownVersion;          // the version of this build, "1.5"
    signing::UpdateKeys updateKeys;  // whose signatures on the manifest count
    std::function<bool()> startNetwork;
    // The full path of a file in the working folder, which is what is installed and started.
    std::function<std::string(const std::string& file)> fullPath;
    // The version "major.minor" of a program file; empty when it has none (as the
    // programs before the release work) or is missing.
    std::function<std::string(const std::string& path)> fileVersion;
    OkBox showBox;
    // Shuts the socket layer down and ends the process with exit code 0; does not return
    // in the program.
    std::function<void()> end;
};

// Runs the updater for the platform's whole command-line text and ends through
// `services.end`.
void RunUpdater(std::string_view commandLine, const UpdaterServices& services);

}  // namespace kelvaro
