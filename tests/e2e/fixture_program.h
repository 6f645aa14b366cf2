// Starts the UI fixture program for the driver's own end-to-end suites and finds its
// main window and controls.
#pragma once

#include <gtest/gtest.h>

#include <memory>

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
    w.main = program.WaitForWindow(fixture::kMainTitle);
    if (w.main == nullptr) return w;
    // The window exists before its first paint; wait until it is shown.
    WaitUntil([&] { return IsWindowVisible(w.main) != FALSE; });
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

}  // namespace kelvaro::test
