// The update check of Kelvaro(x64).exe: the check's steps with the program's own
// downloads, message boxes, definitions and end.
#include <windows.h>

#include "common/scoped_win.h"
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

// False when the file cannot be opened or read: the check then ends without a message and
// leaves the file on disk, rather than taking an unread file for an empty one.
bool ReadFileStart(const std::string& file, std::string& bytes) {
    ScopedHandle handle(CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!handle) return false;
    bytes.assign(kUpdateInfoReadLimit, '\0');
    DWORD got = 0;
    if (!ReadFile(handle.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr)) {
        bytes.clear();
        return false;
    }
    bytes.resize(got);
    return true;
}

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
    services.download = [](const std::string& url, const std::string& file) {
        return DownloadToFile(url.c_str(), file.c_str());
    };
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
