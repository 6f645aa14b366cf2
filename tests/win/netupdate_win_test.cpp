// The launcher and the download's file handling against the real system under Wine:
// programs started with their command line and folder, the shell's fallback, and a
// download over the exe of a program that is still running.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "netupdate/netupdate.h"
#include "support/scripted_server.h"
#include "support/temp_dir.h"

namespace kelvaro {
namespace {

constexpr char kProbeOutput[] = "probe-out.txt";

std::string ProbePath() {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string path = self;
    return path.substr(0, path.rfind('\\') + 1) + "kv_start_probe.exe";
}

// The probe's command line and working folder, once it has written them.
bool WaitForProbe(const std::string& folder, std::string& commandLine, std::string& directory) {
    const std::string path = folder + "\\" + kProbeOutput;
    for (int i = 0; i < 200; ++i) {
        const std::string text = test::ReadBytes(path);
        if (text != "<missing>") {
            const size_t lineEnd = text.find("\r\n");
            commandLine = text.substr(0, lineEnd);
            directory = text.substr(lineEnd + 2, text.size() - lineEnd - 4);
            return true;
        }
        Sleep(50);
    }
    return false;
}

TEST(StartProgramWin, StartsTheQuotedProgramWithItsParametersInTheGivenFolder) {
    test::TempDir dir;
    const std::string probe = ProbePath();
    ASSERT_NE(StartProgram(probe, "Kelvaro(x64).exe \"zwei drei\"", dir.path()), 0);
    std::string commandLine, directory;
    ASSERT_TRUE(WaitForProbe(dir.path(), commandLine, directory));
    EXPECT_EQ(commandLine, "\"" + probe + "\" Kelvaro(x64).exe \"zwei drei\"");
    EXPECT_EQ(directory, dir.path());
}

TEST(StartProgramWin, WithoutParametersOrFolderUsesTheCallersFolderAndNoTrailingBlank) {
    test::TempDir dir;
    test::WorkingDirectory cwd(dir.path());
    const std::string probe = ProbePath();
    ASSERT_NE(StartProgram("\"" + probe + "\"", "", ""), 0);
    std::string commandLine, directory;
    ASSERT_TRUE(WaitForProbe(dir.path(), commandLine, directory));
    EXPECT_EQ(commandLine, "\"" + probe + "\"");
    EXPECT_EQ(directory, dir.path());
}

// A registered application path is known to the shell but not to CreateProcessA.
TEST(StartProgramWin, FallsBackToTheShellAndReportsAProgramThatCannotStart) {
    constexpr char kAlias[] = "kelvaro-probe-alias.exe";
    const std::string key =
        std::string("Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\") + kAlias;
    const std::string probe = ProbePath();
    ASSERT_EQ(RegSetValueA(HKEY_LOCAL_MACHINE, key.c_str(), REG_SZ, probe.c_str(),
                           static_cast<DWORD>(probe.size())),
              ERROR_SUCCESS);
    test::TempDir dir;
    const int started = StartProgram(kAlias, "--ueber-die-shell", dir.path());
    std::string commandLine, directory;
    const bool ran = started != 0 && WaitForProbe(dir.path(), commandLine, directory);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, key.c_str());
    ASSERT_TRUE(ran);
    EXPECT_NE(commandLine.find("--ueber-die-shell"), std::string::npos) << commandLine;
    EXPECT_EQ(directory, dir.path());

    EXPECT_EQ(StartProgram(dir.File("fehlt.exe"), "", ""), 0);
}

struct RunningProgram {
    PROCESS_INFORMATION process{};
    ~RunningProgram() {
        if (process.hProcess == nullptr) return;
        TerminateProcess(process.hProcess, 0);
        WaitForSingleObject(process.hProcess, 5000);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
};

// Starts a copy of the probe as `exe` that runs for `milliseconds`, and waits until it is
// under way.
bool StartCopyOfProbe(const test::TempDir& dir, const std::string& exe, int milliseconds,
                      RunningProgram& running) {
    if (!CopyFileA(ProbePath().c_str(), exe.c_str(), FALSE)) return false;
    std::string line = "\"" + exe + "\" --wait=" + std::to_string(milliseconds);
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        dir.path().c_str(), &startup, &running.process)) {
        return false;
    }
    std::string commandLine, directory;
    return WaitForProbe(dir.path(), commandLine, directory);
}

class ReplacingARunningProgram : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(StartNetwork());
        test::ServerScript script;
        script.answer = "HTTP/1.1 200 OK\r\nContent-Length: 11\r\n\r\nneues Programm";
        server_ = std::make_unique<test::ScriptedServer>(script);
    }

    std::unique_ptr<test::ScriptedServer> server_;
};

TEST_F(ReplacingARunningProgram, WaitsForAProgramThatEndsSoon) {
    test::TempDir dir;
    const std::string exe = dir.File("Kelvaro(x64).exe");
    RunningProgram running;
    ASSERT_TRUE(StartCopyOfProbe(dir, exe, 1500, running));
    EXPECT_EQ(DownloadToFile(server_->Url().c_str(), exe.c_str()), 11);
    EXPECT_EQ(test::ReadBytes(exe), "neues Progr");
}

TEST_F(ReplacingARunningProgram, GivesUpOnAProgramThatKeepsRunning) {
    test::TempDir dir;
    const std::string exe = dir.File("Kelvaro(x64).exe");
    RunningProgram running;
    ASSERT_TRUE(StartCopyOfProbe(dir, exe, 30000, running));
    const std::string before = test::ReadBytes(exe);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(DownloadToFile(server_->Url().c_str(), exe.c_str()), 0);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_EQ(test::ReadBytes(exe), before);
    EXPECT_GE(seconds, 4.5);
    EXPECT_LE(seconds, 10);
}

}  // namespace
}  // namespace kelvaro
