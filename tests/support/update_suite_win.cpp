// The fixture and helpers of the update suites.
#include "support/update_suite_win.h"

#include <vector>

#include "support/temp_dir.h"
#include "support/update_folder_win.h"
#include "support/update_processes_win.h"

namespace kelvaro::test {

std::unique_ptr<UpdateServer> UpdateSuite::server_;

const std::string& OldProgram() {
    static const std::string bytes = ReadBytes(PathNextToTestExe(kMainExe));
    return bytes;
}

const std::string& NewProgram() {
    static const std::string bytes = ReadBytes(PathNextToTestExe("kelvaro_main_served.exe"));
    return bytes;
}

std::optional<MessageBoxInfo> AnswerNextBox(DWORD processId, int answer) {
    const std::optional<MessageBoxInfo> box = WaitForMessageBox(processId, 20000);
    if (!box || !AnswerMessageBox(*box, answer)) return std::nullopt;
    WaitUntil([&] { return !IsWindow(box->window); });
    return box;
}

::testing::AssertionResult IsNotice(const std::optional<MessageBoxInfo>& box,
                                    const std::string& caption, const std::string& text) {
    if (!box) return ::testing::AssertionFailure() << "no box";
    if (box->caption != caption || box->text != text || box->buttonIds != std::vector<int>{IDOK} ||
        box->hasIcon) {
        return ::testing::AssertionFailure() << "box \"" << box->caption << "\": \"" << box->text
                                             << "\", " << box->buttonIds.size() << " buttons";
    }
    return ::testing::AssertionSuccess();
}

void UpdateSuite::StartSuiteServer(const std::string& name) {
    server_ = std::make_unique<UpdateServer>(name);
}

void UpdateSuite::StopSuiteServer() {
    server_.reset();
}

void UpdateSuite::SetUp() {
    ASSERT_TRUE(UpdateServer::BaseUrlIsLocal())
        << "these tests need a build whose KELVARO_UPDATE_BASE_URL names 127.0.0.1";
    ASSERT_FALSE(PublishedFile("release-1.6", kManifestFile).empty())
        << "the build did not publish the update folders";
    ASSERT_TRUE(server_->Start()) << server_->error();
    server_->WithdrawAll();
    mainBefore_ = ProcessesNamed(kMainExe);
    updatersBefore_ = ProcessesNamed(kUpdaterExe);
    logBefore_ = server_->AccessLog().size();
}

void UpdateSuite::TearDown() {
    for (DWORD id : ProcessesNamed(kMainExe)) {
        if (mainBefore_.count(id) == 0 && (!program_ || id != program_->processId())) {
            EndProcess(id);
        }
    }
    for (DWORD id : ProcessesNamed(kUpdaterExe)) {
        if (updatersBefore_.count(id) == 0) EndProcess(id);
    }
    program_.reset();
}

HWND UpdateSuite::StartKelvaro(const std::string& definitions, bool checkAtStart) {
    ProgramUnderTest::Options options;
    options.exePath = PathNextToTestExe(kMainExe);
    options.copyExeIntoFolder = true;
    options.files[kDefinitionsFile] = definitions;
    options.files[kUpdaterExe] = ReadBytes(PathNextToTestExe(kUpdaterExe));
    options.files[kSettingsFile] = std::string("[Einstellungen]\r\nAutoNachUpdatesSuchen=") +
                                   (checkAtStart ? "1" : "0") + "\r\nTimeout=0\r\n";
    program_ = std::make_unique<ProgramUnderTest>(options);
    const HWND main = program_->WaitForShownWindow("Kelvaro");
    if (main != nullptr) SetForegroundWindow(main);
    return main;
}

std::string UpdateSuite::Requests() const {
    const std::string log = server_->AccessLog();
    return log.size() < logBefore_ ? log : log.substr(logBefore_);
}

std::string UpdateSuite::DefinitionsField(HWND main) {
    return StatusBarText(ChildByClass(main, "msctls_statusbar32"), 2);
}

}  // namespace kelvaro::test
