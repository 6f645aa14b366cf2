// The updater's one pass: fetch the named file from the update server over the old one,
// and start it. The file is taken only as the signed manifest describes it, and only from
// a release newer than the updater's own. Written against the services it needs, so that
// KelvaroUpdate.exe and the tests run the same steps.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "netupdate/netupdate.h"
#include "netupdate/report.h"
#include "signing/manifest.h"
#include "signing/update_keys.h"

namespace kelvaro {

inline constexpr const char* kUpdaterNoNetworkText = "Keine Internetverbindung für Update";
inline constexpr const char* kDownloadFailedText = "Download fehlgeschlagen";

struct UpdaterServices {
    std::string baseUrl;             // ends in "/Kelvaro/"
    std::string ownVersion;          // the version of this build, "1.5"
    signing::UpdateKeys updateKeys;  // whose signatures on the manifest count
    std::function<bool()> startNetwork;
    // DownloadToFile: the number of bytes stored, 0 on failure (also for a body that does
    // not meet the expectation, when one is given).
    std::function<int32_t(const std::string& url, const std::string& file,
                          const DownloadExpectation* expected)>
        download;
    // The first `limit` bytes of a file, or all of a shorter one; false when it cannot be
    // opened or read.
    std::function<bool(const std::string& file, size_t limit, std::string& bytes)> readFileStart;
    std::function<void(const std::string& file)> deleteFile;
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
