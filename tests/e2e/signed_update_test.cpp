// Updates that an attacker on the way to the update server changed, against the real
// programs and a private nginx serving folders that the publisher's tool wrote: a program
// file swapped after signing, answers without a manifest, signed by another key or
// disagreeing with it, swapped definitions, and an older release replayed to the updater.
// Whatever was changed, the program, its definitions and its verdicts stay as they were.
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "support/ui_driver.h"
#include "support/update_folder_win.h"
#include "support/update_processes_win.h"
#include "support/update_suite_win.h"
#include "ui/ids.h"

namespace kelvaro::test {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

constexpr const char* kDownloadFailed = "Download fehlgeschlagen";
constexpr const char* kDefinitionsFailed = "Update konnte nicht heruntergeladen werden";

class SignedUpdateE2E : public UpdateSuite {
protected:
    static void SetUpTestSuite() { StartSuiteServer("e2e-signed-update"); }
    static void TearDownTestSuite() { StopSuiteServer(); }

    // Kelvaro(x64).exe with the 20 definitions of release 1.5.
    HWND StartKelvaro(bool checkAtStart = false) {
        return UpdateSuite::StartKelvaro(PublishedFile("current-1.5", kDefinitionsFile),
                                         checkAtStart);
    }

    // KelvaroUpdate.exe started as the main program starts it, beside the program it is
    // to replace.
    void StartUpdater(const std::string& installed = OldProgram()) {
        ProgramUnderTest::Options options;
        options.exePath = PathNextToTestExe(kUpdaterExe);
        options.copyExeIntoFolder = true;
        options.arguments = kMainExe;
        options.files[kMainExe] = installed;
        program_ = std::make_unique<ProgramUnderTest>(options);
    }

    // The main window's definitions count, its verdict of the Wine desktop, and the
    // definitions file, which a refused update must leave as they were.
    void ExpectOldDefinitions(HWND main) const {
        EXPECT_EQ(DefinitionsField(main), "Anzahl Definitionen: 20");
        for (const std::vector<std::string>& row : ListViewRows(ChildById(main, CtlProcessList))) {
            if (row.size() > 3 && lstrcmpiA(row[0].c_str(), "explorer.exe") == 0) {
                EXPECT_EQ(row[3], "");
            }
        }
        EXPECT_EQ(program_->ReadFile(kDefinitionsFile),
                  PublishedFile("current-1.5", kDefinitionsFile));
    }
};

// The exe on the server is replaced after signing by one of the same size: the updater
// downloads it, refuses it, keeps the old program byte for byte and starts it again.
TEST_F(SignedUpdateE2E, AProgramSwappedAfterSigningIsRefusedAndTheOldProgramStartsAgain) {
    ServePublishedFolder(*server_, "release-1.6");
    std::string swapped = PublishedFile("release-1.6", kMainExe);
    ASSERT_GT(swapped.size(), 4096u);
    swapped[swapped.size() / 2] ^= 0x5A;
    server_->Serve(kMainExe, swapped);
    const HWND main = StartKelvaro();
    ASSERT_NE(main, nullptr);
    PostCommand(main, CmdCheckForUpdates);
    const std::optional<MessageBoxInfo> question = AnswerNextBox(program_->processId(), IDYES);
    ASSERT_TRUE(question.has_value());
    EXPECT_THAT(question->text, HasSubstr("`1.6`"));
    EXPECT_EQ(program_->WaitForExit(), std::optional<DWORD>(0));

    const DWORD updater = WaitForNewProcess(kUpdaterExe, updatersBefore_, false);
    ASSERT_NE(updater, 0u) << "the updater did not start";
    EXPECT_TRUE(IsNotice(AnswerNextBox(updater, IDOK), "Fehler", kDownloadFailed));
    const DWORD started = WaitForNewProcess(kMainExe, mainBefore_, true);
    ASSERT_NE(started, 0u) << "the old program was not started again";
    EXPECT_EQ(AboutFirstLine(started), "Kelvaro 1.5");
    EXPECT_EQ(program_->ReadFile(kMainExe), OldProgram());
    EXPECT_THAT(Requests(), HasSubstr("GET /Kelvaro/Kelvaro(x64).exe HTTP/1.1\" 200"));
    EXPECT_FALSE(program_->FileExists(kManifestFile));
}

// A missing manifest, one signed by a key the program does not know, and an information
// file announcing another version than its manifest: each is refused with the same error,
// automatic or manual, asks nothing and leaves no update file behind.
TEST_F(SignedUpdateE2E, AnswersWithoutAValidManifestAreRefusedInBothModesAndOfferNothing) {
    ServePublishedFolder(*server_, "release-1.6");
    server_->Withdraw(kManifestFile);
    const HWND main = StartKelvaro(true);
    ASSERT_NE(main, nullptr);
    const DWORD id = program_->processId();
    EXPECT_TRUE(IsNotice(AnswerNextBox(id, IDOK), "Fehler", kNotSigned));
    EXPECT_THAT(Requests(), HasSubstr("GET /Kelvaro/KelvaroUpdate.sig HTTP/1.1\" 404"));

    struct Variant {
        const char* name;
        const char* folder;
        bool withManifest;
        std::string info;  // served instead of the folder's own, when not empty
    };
    const std::vector<Variant> variants = {
        {"no manifest", "release-1.6", false, ""},
        {"another key", "other-key-1.6", true, ""},
        {"version 1.7 with a manifest of 1.6", "release-1.6", true, "25\r\n1.7\r\n"},
    };
    for (const Variant& variant : variants) {
        server_->WithdrawAll();
        ServePublishedFolder(*server_, variant.folder);
        if (!variant.withManifest) server_->Withdraw(kManifestFile);
        if (!variant.info.empty()) server_->Serve(kInfoFile, variant.info);
        PostCommand(main, CmdCheckForUpdates);
        EXPECT_TRUE(IsNotice(AnswerNextBox(id, IDOK), "Fehler", kNotSigned)) << variant.name;
        EXPECT_TRUE(NoMessageBoxFor(id, 500)) << variant.name;
        EXPECT_FALSE(program_->FileExists(kInfoFile)) << variant.name;
        EXPECT_FALSE(program_->FileExists(kManifestFile)) << variant.name;
    }
    EXPECT_THAT(Requests(), Not(HasSubstr("GET /Kelvaro/Kelvaro ")));
    EXPECT_THAT(Requests(), Not(HasSubstr("GET /Kelvaro/Kelvaro(x64).exe")));
    ExpectOldDefinitions(main);
    EXPECT_EQ(ProcessesNamed(kUpdaterExe), updatersBefore_);
}

// Definitions with the announced count but other contents are refused like a broken
// download; the loaded definitions and their verdicts stay.
TEST_F(SignedUpdateE2E, SwappedDefinitionsAreNotDownloadedAndTheOldVerdictsStay) {
    ServePublishedFolder(*server_, "release-1.6");
    std::string swapped = PublishedFile("release-1.6", kDefinitionsFile);
    const size_t verdict = swapped.find("3\r\nexplorer.exe");
    ASSERT_NE(verdict, std::string::npos);
    swapped[verdict] = '4';
    server_->Serve(kDefinitionsFile, swapped);
    const HWND main = StartKelvaro();
    ASSERT_NE(main, nullptr);
    const DWORD id = program_->processId();
    PostCommand(main, CmdCheckForUpdates);
    ASSERT_TRUE(AnswerNextBox(id, IDNO).has_value());
    const std::optional<MessageBoxInfo> question = AnswerNextBox(id, IDYES);
    ASSERT_TRUE(question.has_value());
    EXPECT_THAT(question->text, HasSubstr("Es sind 5 neue Definitionen"));
    EXPECT_TRUE(IsNotice(AnswerNextBox(id, IDOK), "Fehler", kDefinitionsFailed));
    // The check has ended once it removed its files.
    ASSERT_TRUE(WaitUntil([&] { return !program_->FileExists(kInfoFile); }));
    EXPECT_FALSE(program_->FileExists(kManifestFile));
    EXPECT_THAT(Requests(), HasSubstr("GET /Kelvaro/Kelvaro HTTP/1.1\" 200"));
    ExpectOldDefinitions(main);
    EXPECT_TRUE(NoMessageBoxFor(id, 500));
}

// A validly signed manifest of an older release, replayed: the updater downloads nothing
// and starts the old program, unchanged.
TEST_F(SignedUpdateE2E, TheUpdaterRefusesAReplayedOlderReleaseAndStartsTheOldProgram) {
    ServePublishedFolder(*server_, "replay-1.4");
    ASSERT_NE(PublishedFile("replay-1.4", kMainExe), OldProgram());
    StartUpdater();
    ASSERT_TRUE(program_->started());
    EXPECT_TRUE(IsNotice(AnswerNextBox(program_->processId(), IDOK), "Fehler", kDownloadFailed));
    EXPECT_EQ(program_->WaitForExit(), std::optional<DWORD>(0));
    const DWORD started = WaitForNewProcess(kMainExe, mainBefore_, true);
    ASSERT_NE(started, 0u) << "the old program was not started again";
    EXPECT_EQ(AboutFirstLine(started), "Kelvaro 1.5");
    EXPECT_EQ(program_->ReadFile(kMainExe), OldProgram());
    EXPECT_THAT(Requests(), HasSubstr("GET /Kelvaro/KelvaroUpdate.sig HTTP/1.1\" 200"));
    EXPECT_THAT(Requests(), Not(HasSubstr("GET /Kelvaro/Kelvaro(x64).exe")));
    EXPECT_FALSE(program_->FileExists(kManifestFile));
}

// The updater of 1.5 beside a main program that updates have taken to 1.7 (the updater
// itself is never replaced): the validly signed 1.6, replayed, would be newer than the
// updater but is older than the program, so it is refused and 1.7 starts unchanged. The
// honest 1.8 is installed.
TEST_F(SignedUpdateE2E, TheUpdaterRefusesAReleaseOlderThanTheProgramItReplaces) {
    const std::string installed = PublishedFile("installed-1.7", kMainExe);
    ASSERT_FALSE(installed.empty());
    struct Case {
        const char* folder;
        bool installs;
    };
    for (const Case& c : {Case{"release-1.6", false}, Case{"release-1.8", true}}) {
        server_->WithdrawAll();
        ServePublishedFolder(*server_, c.folder);
        // What ran before this round; the fixture's own list stays, so that its tear-down
        // ends whatever a failed round left running.
        const std::set<DWORD> before = ProcessesNamed(kMainExe);
        StartUpdater(installed);
        ASSERT_TRUE(program_->started());
        if (!c.installs) {
            EXPECT_TRUE(IsNotice(AnswerNextBox(program_->processId(), IDOK), "Fehler",
                                 kDownloadFailed));
        }
        EXPECT_EQ(program_->WaitForExit(), std::optional<DWORD>(0)) << c.folder;
        const DWORD started = WaitForNewProcess(kMainExe, before, true);
        ASSERT_NE(started, 0u) << c.folder << ": no program was started";
        EXPECT_TRUE(SameFile(ProcessImagePath(started), program_->FilePath(kMainExe))) << c.folder;
        // Compared as a whole: a failure would otherwise print two program files.
        EXPECT_TRUE(program_->ReadFile(kMainExe) ==
                    (c.installs ? PublishedFile(c.folder, kMainExe) : installed))
            << c.folder;
        EndProcess(started);
    }
}

}  // namespace
}  // namespace kelvaro::test
