// The update check of Kelvaro(x64).exe: the check's steps with the program's own
// downloads, message boxes, definitions and end.
#include <windows.h>

#include "common/file_io.h"
#include "inventory/definitions.h"
#include "inventory/search_window.h"
#include "netupdate/netupdate.h"
#include "netupdate/update_base_url.h"
#include "shell/main_layout.h"
#include "shell/main_window_win.h"
#include "shell/message_box_win.h"
#include "shell/program.h"
#include "shell/refresh.h"
#include "update/update_check.h"
#include "update/update_info.h"

namespace kelvaro {
namespace {

// New definitions take effect at once: every process is classified anew, and an open
// search window searches the new list again, so that its rows name no definitions that
// are gone.
void ReloadDefinitions() {
    ClearDefinitions();
    LoadDefinitions();
    WriteStatusCount(StatusDefinitions, DefinitionsCount());
    RefreshLists();
    OnDefinitionsReloaded();
}

}  // namespace

void CheckForUpdates(bool manual) {
    UpdateCheckServices services;
    services.networkStarted = NetworkStartResult();
    services.baseUrl = UpdateBaseUrl();
    services.runningVersion = VersionText();
    services.updateKeys = signing::BuildUpdateKeys();
    services.download = [](const std::string& url, const std::string& file,
                           const DownloadExpectation* expected) {
        return DownloadToFile(url.c_str(), file.c_str(), expected);
    };
    // A file that cannot be opened or read ends the check without a message and stays on
    // disk, rather than being taken for an empty one.
    services.readFileStart = ReadFileStart;
    services.deleteFile = [](const std::string& file) { DeleteFileA(file.c_str()); };
    services.showBox = [](const std::string& text, const std::string& caption) {
        ShowMessageBox(text, caption, MB_OK);
    };
    services.ask = [](const std::string& question) {
        return ShowMessageBox(question, kQuestionCaption, MB_YESNO) == IDYES;
    };
    services.definitionsCount = DefinitionsCount;
    services.reloadDefinitions = ReloadDefinitions;
    services.startProgram = StartProgram;
    services.endProgram = [] { EndProgram(); };
    RunUpdateCheck(manual, services);
}

}  // namespace kelvaro
