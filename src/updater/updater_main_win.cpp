// The entry of KelvaroUpdate.exe: no window of its own, message boxes only when something
// fails, and exit code 0 on every path.
#include <windows.h>

#include "netupdate/netupdate.h"
#include "netupdate/program_files.h"
#include "netupdate/update_base_url.h"
#include "netupdate/update_system.h"
#include "kelvaro_version.h"
#include "updater/updater.h"

namespace {

[[noreturn]] void EndUpdater() {
    kelvaro::StopNetwork();
    ExitProcess(0);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    using namespace kelvaro;
    UpdaterServices services;
    services.baseUrl = UpdateBaseUrl();
    // The same version text as the main program of this build: an updater never installs
    // a release that is not newer than the one it was shipped with.
    services.ownVersion = KELVARO_VERSION_TEXT;
    services.updateKeys = signing::BuildUpdateKeys();
    services.startNetwork = StartNetwork;
    services.fullPath = FullPathOf;
    services.fileVersion = ProgramFileVersion;
    UseSystemServices(services);
    services.showBox = [](const std::string& text, const std::string& caption) {
        MessageBoxA(nullptr, text.c_str(), caption.c_str(), MB_OK);
    };
    services.end = EndUpdater;
    RunUpdater(GetCommandLineA(), services);
    EndUpdater();
}
