// The UI driver's message boxes and notification-area check against the fixture program:
// reading a box, answering it by button id, and an icon that comes and goes.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "e2e/fixture_program.h"

namespace kelvaro::test {
namespace {

using ::testing::ElementsAre;

class UiDriverBoxes : public ::testing::Test {
protected:
    void SetUp() override {
        program_ = std::make_unique<ProgramUnderTest>(FixtureOptions());
        w_ = FindFixtureWindows(*program_);
        ASSERT_NE(w_.main, nullptr) << "the fixture did not start";
    }
    std::unique_ptr<ProgramUnderTest> program_;
    FixtureWindows w_;
};

TEST_F(UiDriverBoxes, ReadsAQuestionAndAnswersNo) {
    EXPECT_TRUE(NoMessageBoxFor(program_->processId(), 100));
    PostCommand(w_.main, fixture::kCmdAsk);
    const std::optional<MessageBoxInfo> box = WaitForMessageBox(program_->processId());
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(ClassName(box->window), "#32770");
    EXPECT_EQ(box->owner, w_.main);
    EXPECT_EQ(box->caption, fixture::kQuestionCaption);
    EXPECT_EQ(box->text, fixture::kQuestionText);
    EXPECT_THAT(box->buttonIds, ElementsAre(IDYES, IDNO));
    EXPECT_EQ(box->buttons.size(), 2u);
    EXPECT_TRUE(box->hasIcon);
    EXPECT_FALSE(NoMessageBoxFor(program_->processId(), 100));

    EXPECT_FALSE(AnswerMessageBox(*box, IDOK)) << "a Yes/No box has no OK button";
    ASSERT_TRUE(AnswerMessageBox(*box, IDNO));
    EXPECT_TRUE(WaitUntil([&] { return program_->ReadFile(fixture::kAnswerFile) == "Nein"; }));
    EXPECT_TRUE(NoMessageBoxFor(program_->processId(), 100));
}

TEST_F(UiDriverBoxes, ReadsAnInformationWithoutIconAndAnswersOk) {
    PostCommand(w_.main, fixture::kCmdInfo);
    const std::optional<MessageBoxInfo> box = WaitForMessageBox(program_->processId());
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->caption, fixture::kInfoCaption);
    EXPECT_EQ(box->text, fixture::kInfoText);
    EXPECT_THAT(box->buttonIds, ElementsAre(IDOK));
    EXPECT_THAT(box->buttons, ElementsAre("OK"));
    EXPECT_FALSE(box->hasIcon);
    ASSERT_TRUE(AnswerMessageBox(*box, IDOK));
    EXPECT_TRUE(WaitUntil([&] { return program_->ReadFile(fixture::kInfoFile) == "OK"; }));
}

TEST_F(UiDriverBoxes, AnswersYes) {
    PostCommand(w_.main, fixture::kCmdAsk);
    const std::optional<MessageBoxInfo> box = WaitForMessageBox(program_->processId());
    ASSERT_TRUE(box.has_value());
    ASSERT_TRUE(AnswerMessageBox(*box, IDYES));
    EXPECT_TRUE(WaitUntil([&] { return program_->ReadFile(fixture::kAnswerFile) == "Ja"; }));
}

TEST_F(UiDriverBoxes, SeesTheTrayIconWhileItExists) {
    EXPECT_TRUE(WaitUntil([&] { return TrayIconExists(w_.main, fixture::kTrayIconId); }));
    EXPECT_FALSE(TrayIconExists(w_.main, fixture::kTrayIconId + 1)) << "another id";
    EXPECT_FALSE(TrayIconExists(w_.list, fixture::kTrayIconId)) << "another window";
    PostCommand(w_.main, fixture::kCmdRemoveTray);
    EXPECT_TRUE(WaitUntil([&] { return !TrayIconExists(w_.main, fixture::kTrayIconId); }));
}

TEST_F(UiDriverBoxes, TrayIconOfAnEndedProgramCountsAsGone) {
    ASSERT_TRUE(WaitUntil([&] { return TrayIconExists(w_.main, fixture::kTrayIconId); }));
    program_->Terminate();  // no NIM_DELETE: the owner window just disappears
    EXPECT_TRUE(WaitUntil([&] { return !TrayIconExists(w_.main, fixture::kTrayIconId); }));
}

}  // namespace
}  // namespace kelvaro::test
