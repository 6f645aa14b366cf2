// The update check of Kelvaro(x64).exe: the check's steps with the program's own
// downloads, message boxes, and what the wiring handed in.
#include "update/update_check_win.h"

#include <windows.h>

#include "common/file_io.h"
#include "netupdate/netupdate.h"
#include "netupdate/update_base_url.h"
#include "ui/message_box_win.h"
#include "update/update_check.h"
#include "update/update_info.h"

namespace kelvaro {
namespace {

UpdateCheckProgram& Program() {
    static UpdateCheckProgram program;
    return program;
}

}  // namespace

void SetUpdateCheckProgram(UpdateCheckProgram program) {
    Program() = std::move(program);
}

void CheckForUpdates(bool manual) {
    const UpdateCheckProgram& program = Program();
    UpdateCheckServices services;
    services.networkStarted = program.networkStarted();
    services.baseUrl = UpdateBaseUrl();
    services.runningVersion = program.runningVersion();
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
    services.definitionsCount = program.definitionsCount;
    services.reloadDefinitions = program.reloadDefinitions;
    services.startProgram = StartProgram;
    services.endProgram = program.endProgram;
    RunUpdateCheck(manual, services);
}

}  // namespace kelvaro
