// Ending one process by its ID, as "Prozess beenden" does: only while the ID still runs the
// image the row named, with exit code 1, and the system's reason when it cannot be done.
#include "inventory/end_process_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "inventory/end_process.h"
#include "support/temp_dir.h"
#include "support/test_process_win.h"
#include "support/ui_driver.h"  // PathNextToTestExe

namespace kelvaro {
namespace {

TEST(EndProcessById, EndsOnlyTheImageTheRowNamedAndGivesTheSystemsReasonOtherwise) {
    test::TempDir folder;
    const auto probe = [&](const std::string& name, const std::string& wait) {
        const std::string copy = folder.File(name);
        CopyFileA(test::PathNextToTestExe("kv_start_probe.exe").c_str(), copy.c_str(), FALSE);
        return std::make_unique<test::TestProcess>("\"" + copy + "\" --wait=" + wait);
    };
    constexpr DWORD kAnyCode = 0xFFFFFFFF;
    const struct {
        const char* what;
        const char* image;
        const char* rowName;
        const char* wait;  // 0: the probe ends by itself before it is asked to
        std::string reason;
        bool runningAfter;
        DWORD exitCode;
    } cases[] = {
        {"the named image, in other letters", "ziel.exe", "ZIEL.EXE", "600000", "", false, 1},
        {"the ID now runs another image", "fremd.exe", "ziel.exe", "600000", kOtherImageReason,
         true, STILL_ACTIVE},
        {"ended by itself meanwhile", "kurz.exe", "kurz.exe", "0", "", false, kAnyCode},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto process = probe(c.image, c.wait);
        ASSERT_TRUE(process->Started());
        if (std::string(c.wait) == "0") {
            ASSERT_TRUE(process->EndsWithin(5000));
        }
        EXPECT_EQ(EndProcessById(process->processId(), c.rowName), c.reason);
        EXPECT_EQ(process->Running(), c.runningAfter);
        if (c.exitCode != kAnyCode) {
            EXPECT_EQ(process->ExitCode(), c.exitCode);
        }
    }
    // No process has this ID: the system says why it cannot be opened.
    const std::string reason = EndProcessById(0xFFFFFFF0u, "ziel.exe");
    EXPECT_FALSE(reason.empty());
    EXPECT_NE(reason, kOtherImageReason);
}

}  // namespace
}  // namespace kelvaro
