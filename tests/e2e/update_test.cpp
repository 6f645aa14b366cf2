// The update path of both programs against a private nginx that serves the update files
// on the address of the programs' update base URL: the manual check with nothing new and
// with the server down, new definitions taking effect without a restart, the program
// update handed to KelvaroUpdate.exe, and the updater on its own (no argument, a program
// file the server does not have). The server serves folders that the publisher's tool
// wrote (signed_update_test.cpp has the refused ones). Every program runs in a fresh
// working folder.
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "support/temp_dir.h"
#include "support/ui_driver.h"
#include "support/update_folder_win.h"
#include "support/update_processes_win.h"
#include "support/update_suite_win.h"
#include "ui/ids.h"

namespace kelvaro::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

// `count` definitions of made-up programs, verdict "Unnötig".
std::string Definitions(int count) {
    std::string file;
    for (int i = 1; i <= count; ++i) {
        file += "1\r\nbeispiel" + std::to_string(i) + ".exe\r\nEin Beispiel\xB5\r\n";
    }
    return file;
}

// The loaded 20 and five more, of which one calls the Wine desktop "Gefährlich": once they
// are loaded, the refresh that follows brings the main window back from the tray.
std::string ServedDefinitions() {
    return PublishedFile("release-1.6", kDefinitionsFile);
}

// The "Befund" of a process in the process list; "<none>" when it is not listed.
std::string VerdictOf(HWND processList, const std::string& name) {
    for (const std::vector<std::string>& row : ListViewRows(processList)) {
        if (row.size() > 3 && lstrcmpiA(row[0].c_str(), name.c_str()) == 0) return row[3];
    }
    return "<none>";
}

constexpr const char* kNothingNew =
    "Keine Updates verf\xFC"
    "gbar";
constexpr const char* kServerDown = "Updateinformationen konnten nicht heruntergeladen werden";
const std::string kProgramQuestion16 =
    "Es ein Update verf\xFC"
    "gbar. `1.6`\r\n\r\nM\xF6"
    "chten Sie jetzt aktualisieren\n(Das Programm wird dazu beendet und neugestartet)";
const std::string kFiveNewQuestion =
    "Es sind 5 neue Definitionen verf\xFC"
    "gbar.\r\n\r\nM\xF6"
    "chten Sie jetzt aktualisieren";

class UpdateE2E : public UpdateSuite {
protected:
    static void SetUpTestSuite() { StartSuiteServer("e2e-update"); }
    static void TearDownTestSuite() { StopSuiteServer(); }

    // Kelvaro(x64).exe with `definitions` made-up definitions.
    HWND StartKelvaro(int definitions, bool checkAtStart = false) {
        return UpdateSuite::StartKelvaro(Definitions(definitions), checkAtStart);
    }
};

// A binary or overlong information file cannot agree with a signed manifest: it is
// refused and removed with the manifest.
TEST_F(UpdateE2E, ManualCheckWithNothingNewSaysSoAndRefusesABinaryOrOverlongFile) {
    ServePublishedFolder(*server_, "current-1.5");
    const HWND main = StartKelvaro(20);
    ASSERT_NE(main, nullptr);
    const DWORD id = program_->processId();
    PostCommand(main, CmdCheckForUpdates);
    EXPECT_TRUE(IsNotice(AnswerNextBox(id, IDOK), "Kelvaro", kNothingNew));
    EXPECT_TRUE(WaitUntil([&] { return !program_->FileExists(kInfoFile); }));
    EXPECT_TRUE(WaitUntil([&] { return !program_->FileExists(kManifestFile); }));
    EXPECT_THAT(Requests(), HasSubstr("\"GET /Kelvaro/KelvaroUpdate HTTP/1.1\" 200"));
    EXPECT_THAT(Requests(), HasSubstr("\"GET /Kelvaro/KelvaroUpdate.sig HTTP/1.1\" 200"));

    // Under the 64 KiB that the check downloads at most, but no information file.
    std::string picture = "\x89PNG\r\n\x1a\n";
    for (int i = 0; i < 30000; ++i) picture += static_cast<char>(i * 7);
    for (const std::string& info : {picture, "20\r\n1.6" + std::string(30000, '7')}) {
        server_->Serve(kInfoFile, info);
        PostCommand(main, CmdCheckForUpdates);
        EXPECT_TRUE(IsNotice(AnswerNextBox(id, IDOK), "Fehler", kNotSigned));
        EXPECT_FALSE(program_->FileExists(kInfoFile));
        EXPECT_FALSE(program_->FileExists(kManifestFile));
    }
    EXPECT_TRUE(NoMessageBoxFor(id, 500));
}

// A server that sends far more than the two small files can be: a 100 MB information file
// and a manifest announced at 3 GB. The body is refused before it arrives, the check
// reports the failed download of that file, and the folder holds what it held before.
TEST_F(UpdateE2E, OversizedUpdateFilesAreRefusedBeforeTheirBodyAndLeaveNothingBehind) {
    const HWND main = StartKelvaro(20);
    ASSERT_NE(main, nullptr);
    const DWORD id = program_->processId();
    const std::set<std::string> before = FileNamesIn(program_->workingFolder());
    struct Case {
        const char* file;
        uint64_t size;
        const char* error;
    };
    const Case cases[] = {{kInfoFile, 100ull << 20, kServerDown},
                          {kManifestFile, 3ull << 30, kNotSigned}};
    for (const Case& c : cases) {
        ServePublishedFolder(*server_, "current-1.5");
        server_->ServeSized(c.file, c.size);
        PostCommand(main, CmdCheckForUpdates);
        EXPECT_TRUE(IsNotice(AnswerNextBox(id, IDOK), "Fehler", c.error)) << c.file;
        EXPECT_EQ(FileNamesIn(program_->workingFolder()), before) << c.file;
    }
    // nginx logs the bytes it got rid of: a small part of the 100 MB, which the client
    // stopped reading after the head.
    const std::string line = "\"GET /Kelvaro/KelvaroUpdate HTTP/1.1\" 200 ";
    ASSERT_TRUE(WaitUntil([&] { return Requests().find(line) != std::string::npos; }));
    const std::string log = Requests();
    EXPECT_LT(std::stoull(log.substr(log.find(line) + line.size())), 50ull << 20);
}

// The programs in one folder and the working folder in another, as when the main program
// was started from a shortcut elsewhere: the updater is the one beside the main program,
// and what starts afterwards is the file it has just written into the working folder, not
// the program of the same name beside the updater.
TEST_F(UpdateE2E, WhatIsInstalledInTheWorkingFolderIsWhatStarts) {
    ServePublishedFolder(*server_, "release-1.6");
    ProgramUnderTest::Options options;
    options.exePath = PathNextToTestExe(kMainExe);  // KelvaroUpdate.exe lies beside it
    options.files[kDefinitionsFile] = Definitions(20);
    options.files[kSettingsFile] = "[Einstellungen]\r\nTimeout=0\r\n";
    program_ = std::make_unique<ProgramUnderTest>(options);
    const HWND main = program_->WaitForShownWindow("Kelvaro");
    ASSERT_NE(main, nullptr);
    PostCommand(main, CmdCheckForUpdates);
    ASSERT_TRUE(AnswerNextBox(program_->processId(), IDYES).has_value());

    const DWORD updater = WaitForNewProcess(kUpdaterExe, updatersBefore_, false);
    ASSERT_NE(updater, 0u) << "the updater did not start";
    EXPECT_TRUE(SameFile(ProcessImagePath(updater), PathNextToTestExe(kUpdaterExe)));
    const DWORD started = WaitForNewProcess(kMainExe, mainBefore_, true);
    ASSERT_NE(started, 0u) << "no new Kelvaro(x64).exe came up";
    EXPECT_TRUE(SameFile(ProcessImagePath(started), program_->FilePath(kMainExe)));
    EXPECT_EQ(program_->ReadFile(kMainExe), NewProgram());
}

// An updater in a folder of its own, with no program file anywhere but a planted
// Kelvaro(x64).exe in a folder on PATH: the download fails and nothing is started, since the
// updater starts the file of the working folder by its full path and never searches.
TEST_F(UpdateE2E, APlantedProgramOnThePathNeverRuns) {
    TempDir updaterFolder;
    TempDir pathFolder;
    WriteBytes(updaterFolder.File(kUpdaterExe), ReadBytes(PathNextToTestExe(kUpdaterExe)));
    WriteBytes(pathFolder.File(kMainExe), ReadBytes(PathNextToTestExe("kv_start_probe.exe")));
    ScopedPathEntry onPath(pathFolder.path());
    ProgramUnderTest::Options options;
    options.exePath = updaterFolder.File(kUpdaterExe);
    options.arguments = kMainExe;
    program_ = std::make_unique<ProgramUnderTest>(options);
    ASSERT_TRUE(program_->started());
    EXPECT_TRUE(IsNotice(AnswerNextBox(program_->processId(), IDOK), "Fehler", "Download fehlgeschlagen"));
    EXPECT_EQ(program_->WaitForExit(), std::optional<DWORD>(0));
    // A started probe would still run, or have written its note into the working folder.
    EXPECT_EQ(ProcessesNamed(kMainExe), mainBefore_);
    EXPECT_FALSE(program_->FileExists("probe-out.txt"));
}

// Asked for by the settings file, the check runs before the event loop and, with nothing
// new, says nothing.
TEST_F(UpdateE2E, CheckAtStartUpSaysNothingWhenThereIsNothingNew) {
    ServePublishedFolder(*server_, "current-1.5");
    const HWND main = StartKelvaro(20, true);
    ASSERT_NE(main, nullptr);
    // Once the program takes messages, the start-up is over.
    SendAndWait(main, WM_NULL);
    EXPECT_THAT(Requests(), HasSubstr("\"GET /Kelvaro/KelvaroUpdate HTTP/1.1\" 200"));
    EXPECT_TRUE(NoMessageBoxFor(program_->processId(), 1000));
    EXPECT_FALSE(program_->FileExists(kInfoFile));
}

TEST_F(UpdateE2E, ServerDownIsReportedAtStartUpAndOnCommand) {
    server_->Stop();
    const HWND main = StartKelvaro(20, true);
    ASSERT_NE(main, nullptr);
    const DWORD id = program_->processId();
    EXPECT_TRUE(IsNotice(AnswerNextBox(id, IDOK), "Fehler", kServerDown));
    PostCommand(main, CmdCheckForUpdates);
    EXPECT_TRUE(IsNotice(AnswerNextBox(id, IDOK), "Fehler", kServerDown));
    EXPECT_TRUE(NoMessageBoxFor(id, 500));
    EXPECT_FALSE(program_->FileExists(kInfoFile));
    EXPECT_EQ(DefinitionsField(main), "Anzahl Definitionen: 20");
}

// The program question first, the definitions question after it; declined, nothing
// changes. Accepted while the window waits in the tray, the new definitions classify the
// desktop process as "Gefährlich", which brings the window back, and an open search window
// searches the new list again.
TEST_F(UpdateE2E, QuestionsComeInTurnAndNewDefinitionsTakeEffectAtOnce) {
    ServePublishedFolder(*server_, "release-1.6");
    ASSERT_EQ(PublishedFile("release-1.6", kMainExe), NewProgram());
    const HWND main = StartKelvaro(20);
    ASSERT_NE(main, nullptr);
    const DWORD id = program_->processId();
    const HWND list = ChildById(main, CtlProcessList);
    ASSERT_EQ(VerdictOf(list, "explorer.exe"), "");

    PostCommand(main, CmdCheckForUpdates);
    std::optional<MessageBoxInfo> box = AnswerNextBox(id, IDNO);
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->caption, "Kelvaro");
    EXPECT_EQ(box->text, kProgramQuestion16);
    EXPECT_THAT(box->buttonIds, ElementsAre(IDYES, IDNO));
    EXPECT_FALSE(box->hasIcon);
    box = AnswerNextBox(id, IDNO);
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->caption, "Kelvaro");
    EXPECT_EQ(box->text, kFiveNewQuestion);
    EXPECT_THAT(box->buttonIds, ElementsAre(IDYES, IDNO));
    // Something was offered: no "Keine Updates verfügbar". The check deletes the information
    // file as its last step, once any box of its own is closed; until then that box stays
    // open. So the check has ended either way when one of the two is seen.
    const auto boxOpen = [&] { return !NoMessageBoxFor(id, 0); };
    ASSERT_TRUE(WaitUntil([&] { return !program_->FileExists(kInfoFile) || boxOpen(); }));
    EXPECT_FALSE(boxOpen());
    EXPECT_FALSE(program_->FileExists(kInfoFile));
    EXPECT_EQ(program_->ReadFile(kDefinitionsFile), Definitions(20));
    EXPECT_EQ(program_->ReadFile(kMainExe), OldProgram());

    SendAndWait(main, WM_COMMAND, CmdSearchProcess, 0);
    const std::vector<HWND> searches = TopLevelWindows(id, "Prozess suchen");
    ASSERT_EQ(searches.size(), 1u);
    const HWND results = ChildById(searches[0], CtlSearchResults);
    SetText(ChildById(searches[0], CtlSearchText), "e");
    SendAndWait(ChildById(searches[0], CtlSearchButton), BM_CLICK);
    ASSERT_EQ(ListViewRowCount(results), 20);
    PostMessageA(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(main); }));

    PostCommand(main, CmdCheckForUpdates);
    ASSERT_TRUE(AnswerNextBox(id, IDNO).has_value());
    box = AnswerNextBox(id, IDYES);
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->text, kFiveNewQuestion);
    // Field 2 is written and the window comes back in the middle of the reload, before the
    // lists and the search window are rebuilt; the information file is deleted only when the
    // whole check has ended, so that is the state to wait for before reading the lists.
    ASSERT_TRUE(WaitUntil([&] { return !program_->FileExists(kInfoFile); }));
    EXPECT_EQ(DefinitionsField(main), "Anzahl Definitionen: 25");
    EXPECT_TRUE(IsWindowVisible(main));
    EXPECT_EQ(VerdictOf(list, "explorer.exe"),
              "Gef\xE4"
              "hrlich");
    EXPECT_EQ(ListViewRowCount(results), 25);
    EXPECT_EQ(ListViewText(results, 24, 0), "explorer.exe");
    EXPECT_EQ(program_->ReadFile(kDefinitionsFile), ServedDefinitions());
    EXPECT_TRUE(NoMessageBoxFor(id, 500));
    EXPECT_TRUE(ProcessesNamed(kUpdaterExe) == updatersBefore_);
}

TEST_F(UpdateE2E, AcceptedProgramUpdateIsInstalledByTheUpdaterAndTheNewProgramStarts) {
    ServePublishedFolder(*server_, "release-1.6");
    ASSERT_NE(NewProgram(), OldProgram());
    const HWND main = StartKelvaro(20);
    ASSERT_NE(main, nullptr);
    PostCommand(main, CmdCheckForUpdates);
    const std::optional<MessageBoxInfo> box = AnswerNextBox(program_->processId(), IDYES);
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->text, kProgramQuestion16);

    EXPECT_EQ(program_->WaitForExit(), std::optional<DWORD>(0));
    const DWORD started = WaitForNewProcess(kMainExe, mainBefore_, true);
    ASSERT_NE(started, 0u) << "no new Kelvaro(x64).exe came up";
    EXPECT_TRUE(program_->ReadFile(kMainExe) == NewProgram());
    EXPECT_EQ(AboutFirstLine(started), "Kelvaro 1.6");
    EXPECT_THAT(Requests(), HasSubstr("GET /Kelvaro/Kelvaro(x64).exe HTTP/1.1\" 200"));
    // The information file of an accepted update stays until the next check; the updater
    // fetched the manifest again and removed it after reading.
    EXPECT_TRUE(program_->FileExists(kInfoFile));
    EXPECT_FALSE(program_->FileExists(kManifestFile));
}

// The updater started as the main program starts it, but with the name in quotes, and a
// server with a manifest but without the program file.
TEST_F(UpdateE2E, UpdaterKeepsAndRestartsTheOldProgramWhenTheServerHasNoProgramFile) {
    server_->Serve(kManifestFile, PublishedFile("release-1.6", kManifestFile));
    ProgramUnderTest::Options options;
    options.exePath = PathNextToTestExe(kUpdaterExe);
    options.copyExeIntoFolder = true;
    options.arguments = "\"Kelvaro(x64).exe\"";
    options.files[kMainExe] = OldProgram();
    options.files[kDefinitionsFile] = Definitions(20);
    program_ = std::make_unique<ProgramUnderTest>(options);
    ASSERT_TRUE(program_->started());

    EXPECT_TRUE(
        IsNotice(AnswerNextBox(program_->processId(), IDOK), "Fehler", "Download fehlgeschlagen"));
    EXPECT_EQ(program_->WaitForExit(), std::optional<DWORD>(0));
    EXPECT_EQ(program_->ReadFile(kMainExe), OldProgram());
    const DWORD started = WaitForNewProcess(kMainExe, mainBefore_, true);
    ASSERT_NE(started, 0u) << "the old program was not started again";
    EXPECT_EQ(AboutFirstLine(started), "Kelvaro 1.5");
    EXPECT_THAT(Requests(), HasSubstr("GET /Kelvaro/Kelvaro(x64).exe HTTP/1.1\" 404"));
    // Nothing but the three files: no temporary file or manifest was left behind.
    EXPECT_EQ(FileNamesIn(program_->workingFolder()),
              (std::set<std::string>{kMainExe, kUpdaterExe, kDefinitionsFile}));
}

TEST_F(UpdateE2E, UpdaterWithoutArgumentEndsAtOnceShowingNothing) {
    ProgramUnderTest::Options options;
    options.exePath = PathNextToTestExe(kUpdaterExe);
    program_ = std::make_unique<ProgramUnderTest>(options);
    ASSERT_TRUE(program_->started());
    // A message box would hold it until answered.
    EXPECT_EQ(program_->WaitForExit(5000), std::optional<DWORD>(0));
    EXPECT_EQ(Requests(), "");
}

// The bytes of every resource of one type in a program file, by number.
std::map<WORD, std::string> Resources(const std::string& exe, LPCSTR type) {
    std::map<WORD, std::string> found;
    HMODULE module = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (module == nullptr) return found;
    EnumResourceNamesA(
        module, type,
        [](HMODULE from, LPCSTR kind, LPSTR name, LONG_PTR param) -> BOOL {
            HRSRC info = FindResourceA(from, name, kind);
            const void* bytes = LockResource(LoadResource(from, info));
            auto& map = *reinterpret_cast<std::map<WORD, std::string>*>(param);
            map[LOWORD(reinterpret_cast<ULONG_PTR>(name))] =
                std::string(static_cast<const char*>(bytes), SizeofResource(from, info));
            return TRUE;
        },
        reinterpret_cast<LONG_PTR>(&found));
    FreeLibrary(module);
    return found;
}

TEST(UpdaterProgramFile, CarriesTheApplicationIconAndTheManifestOfTheMainProgram) {
    const std::string updater = PathNextToTestExe(kUpdaterExe);
    const std::string main = PathNextToTestExe(kMainExe);
    const auto groups = Resources(updater, RT_GROUP_ICON);
    ASSERT_EQ(groups.size(), 1u);
    const auto mainGroups = Resources(main, RT_GROUP_ICON);
    ASSERT_FALSE(mainGroups.empty());
    EXPECT_EQ(groups.begin()->second, mainGroups.begin()->second);
    // An icon group holds a 6-byte head and 14 bytes per image.
    EXPECT_EQ(groups.begin()->second.size(), 6u + 8 * 14);
    EXPECT_EQ(Resources(updater, RT_ICON).size(), 8u);
    EXPECT_EQ(Resources(updater, RT_MANIFEST), Resources(main, RT_MANIFEST));
    EXPECT_THAT(Resources(updater, RT_MANIFEST)[1], HasSubstr("Microsoft.Windows.Common-Controls"));
}

}  // namespace
}  // namespace kelvaro::test
