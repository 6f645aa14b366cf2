// The updater's steps.
#include "updater/updater.h"

#include "updater/command_line.h"

namespace kelvaro {

void RunUpdater(std::string_view commandLine, const UpdaterServices& services) {
    if (!ReportIfFailed(services.startNetwork() ? 1 : 0, kUpdaterNoNetworkText, true,
                        services.showBox, services.end)) {
        return;
    }
    const std::string fileName = UpdaterArgument(commandLine);
    if (fileName.empty()) {
        services.end();
        return;
    }
    // The download stores only a complete body, so after a failure the old file is still
    // there, and starting it brings the old program back.
    const int32_t stored = services.download(services.baseUrl + fileName, fileName);
    ReportIfFailed(stored, kDownloadFailedText, false, services.showBox, services.end);
    services.startProgram(fileName, "", "");
    services.end();
}

}  // namespace kelvaro
