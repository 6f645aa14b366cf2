// The update check of Kelvaro(x64).exe: the check's steps with the program's own
// downloads, message boxes, and what the wiring handed in.
#include "update/update_check_win.h"

#include <windows.h>

#include "netupdate/program_files.h"
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
    services.updaterPath = BesideOwnProgram(kUpdaterProgram);
    services.updateKeys = signing::BuildUpdateKeys();
    UseSystemServices(services);
    services.showBox = [](const std::string& text, const std::string& caption) {
        ShowMessageBox(text, caption, MB_OK);
    };
    services.ask = [](const std::string& question) {
        return ShowMessageBox(question, kQuestionCaption, MB_YESNO) == IDYES;
    };
    services.definitionsCount = program.definitionsCount;
    services.reloadDefinitions = program.reloadDefinitions;
    services.endProgram = program.endProgram;
    RunUpdateCheck(manual, services);
}

}  // namespace kelvaro
