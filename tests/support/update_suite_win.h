// What the update suites share: the files and texts of the update path, the suite's private
// nginx, Kelvaro(x64).exe started in a fresh folder with the updater beside it, and the
// end of every program the updater started, which no ProgramUnderTest owns.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <set>
#include <string>

#include "support/ui_driver.h"
#include "support/update_server_win.h"

namespace kelvaro::test {

inline constexpr const char* kMainExe = "Kelvaro(x64).exe";
inline constexpr const char* kUpdaterExe = "KelvaroUpdate.exe";
inline constexpr const char* kInfoFile = "KelvaroUpdate";
inline constexpr const char* kManifestFile = "KelvaroUpdate.sig";
inline constexpr const char* kDefinitionsFile = "Kelvaro";
inline constexpr const char* kSettingsFile = "Kelvaro.ini";
inline constexpr const char* kNotSigned =
    "Die Updateinformationen sind nicht g\xFC"
    "ltig signiert. Es wurde nichts ge\xE4ndert.";

// The program files of this build: the main program, and the one the server hands out as
// version 1.6.
const std::string& OldProgram();
const std::string& NewProgram();

// The next message box of the process, read and then answered with `answer`.
std::optional<MessageBoxInfo> AnswerNextBox(DWORD processId, int answer);
// A box with this caption and text, an OK button only and no icon.
::testing::AssertionResult IsNotice(const std::optional<MessageBoxInfo>& box,
                                    const std::string& caption, const std::string& text);

class UpdateSuite : public ::testing::Test {
protected:
    // From SetUpTestSuite and TearDownTestSuite: `name` keeps the server's folders apart
    // from those of the other suites.
    static void StartSuiteServer(const std::string& name);
    static void StopSuiteServer();

    // The server runs and serves nothing; the programs running now are noted.
    void SetUp() override;
    // Ends the programs the updater started, then the test's own.
    void TearDown() override;

    // Kelvaro(x64).exe with these definitions, copied into a fresh folder with the updater
    // beside it and shown; with `checkAtStart` its settings file asks for the update check
    // at start-up. Null when its window did not come up.
    HWND StartKelvaro(const std::string& definitions, bool checkAtStart);

    // The requests the server logged during this test.
    std::string Requests() const;
    // Status bar field 2 of the main window.
    static std::string DefinitionsField(HWND main);

    static std::unique_ptr<UpdateServer> server_;
    std::unique_ptr<ProgramUnderTest> program_;
    std::set<DWORD> mainBefore_;
    std::set<DWORD> updatersBefore_;
    size_t logBefore_ = 0;
};

}  // namespace kelvaro::test
