// The update check at start-up (step 19), in the run with "AutoNachUpdatesSuchen" set and
// an update server that has nothing new: the check asked the server before the event loop
// began, said nothing, and removed the update information file.
#include <windows.h>

#include <gtest/gtest.h>

#include "inprocess/harness.h"
#include "shell/ids.h"
#include "support/ui_driver.h"
#include "support/update_server_win.h"

namespace kelvaro::test {
namespace {

TEST(CheckUpdatesAtStart, AutomaticCheckRanBeforeTheEventLoopAndShowedNothing) {
    ASSERT_NE(HarnessUpdateServer(), nullptr);
    // The harness starts the tests once the event loop takes messages: the start-up,
    // step 19 included, is over.
    const std::string requests = HarnessUpdateServer()->AccessLog();
    EXPECT_NE(requests.find("\"GET /Kelvaro/KelvaroUpdate HTTP/1.1\" 200"), std::string::npos)
        << requests;
    const std::string infoFile = HarnessFolder() + "\\KelvaroUpdate";
    EXPECT_EQ(GetFileAttributesA(infoFile.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(NoMessageBoxFor(GetCurrentProcessId(), 500));
}

TEST(CheckUpdatesAtStart, TheSameCheckOnCommandSaysThereIsNothingNew) {
    PostCommand(ProgramMainWindow(), CmdCheckForUpdates);
    const std::optional<MessageBoxInfo> box = WaitForMessageBox(GetCurrentProcessId());
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->caption, "Kelvaro");
    EXPECT_EQ(box->text,
              "Keine Updates verf\xFC"
              "gbar");
    AnswerMessageBox(*box, IDOK);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box->window); }));
}

}  // namespace
}  // namespace kelvaro::test
