// Starts the UI fixture program for the driver's own end-to-end suites and finds its
// main window and controls.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "support/fixture/ui_fixture_ids.h"
#include "support/ui_driver.h"

namespace kelvaro::test {

using fixture::FixtureWindows;

inline ProgramUnderTest::Options FixtureOptions() {
    ProgramUnderTest::Options options;
    options.exePath = PathNextToTestExe(fixture::kExeName);
    return options;
}

// Finds the main window and every control; empty handles when the program did not come up.
inline FixtureWindows FindFixtureWindows(const ProgramUnderTest& program) {
    FixtureWindows w;
    w.main = program.WaitForShownWindow(fixture::kMainTitle);
    if (w.main == nullptr) return w;
    w.toolbar = ChildById(w.main, fixture::kIdToolbar);
    w.status = ChildById(w.main, fixture::kIdStatus);
    w.list = ChildById(w.main, fixture::kIdList);
    w.tree = ChildById(w.main, fixture::kIdTree);
    w.listBox = ChildById(w.main, fixture::kIdListBox);
    w.edit = ChildById(w.main, fixture::kIdEdit);
    w.button = ChildById(w.main, fixture::kIdButton);
    w.panel = ChildById(w.main, fixture::kIdPanel);
    return w;
}

// One fixture program for a whole suite: starting one costs far more than a test.
class FixtureSuite : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        program_ = std::make_unique<ProgramUnderTest>(FixtureOptions());
        w_ = FindFixtureWindows(*program_);
    }
    static void TearDownTestSuite() { program_.reset(); }
    void SetUp() override { ASSERT_NE(w_.main, nullptr) << "the fixture did not start"; }

    // Waits until the fixture's status bar shows the text in the part.
    static bool StatusBecomes(int part, const std::string& text) {
        return WaitUntil([&] { return StatusBarText(w_.status, part) == text; });
    }

    static inline std::unique_ptr<ProgramUnderTest> program_;
    static inline FixtureWindows w_;
};

}  // namespace kelvaro::test
