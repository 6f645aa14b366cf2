#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/dispatch.h"

namespace kelvaro {
namespace {

// Handlers are plain functions; they write into this log.
std::vector<std::string>& Log() {
    static std::vector<std::string> log;
    return log;
}

class DispatchTest : public ::testing::Test {
protected:
    void SetUp() override { Log().clear(); }
};

TEST_F(DispatchTest, EachKindIsLookedUpByItsOwnNumber) {
    DispatchTables tables;
    tables.OnCommand(CmdRefreshLists, [] { Log().push_back("refresh"); });
    tables.OnClose(WndMain, [] { Log().push_back("close 0"); });
    tables.OnTimer(TimerAutoRefresh, [] { Log().push_back("timer 1"); });
    tables.OnSize(WndSearch, [] { Log().push_back("size 3"); });
    tables.OnMinimise(WndMain, [] { Log().push_back("minimise 0"); });

    EXPECT_TRUE(tables.Dispatch(Event::Command(CmdRefreshLists)));
    EXPECT_TRUE(tables.Dispatch(Event::Close(WndMain)));
    EXPECT_TRUE(tables.Dispatch(Event::Timer(TimerAutoRefresh)));
    EXPECT_TRUE(tables.Dispatch(Event::Size(WndSearch)));
    EXPECT_TRUE(tables.Dispatch(Event::Minimise(WndMain)));
    // The same numbers in another kind match nothing: command 3 is not timer 3 or
    // control 3, close of window 0 is not minimise of window 0.
    EXPECT_FALSE(tables.Dispatch(Event::Timer(CmdRefreshLists)));
    EXPECT_FALSE(tables.Dispatch(Event::Control(CmdRefreshLists, ControlEventType::Click)));
    EXPECT_FALSE(tables.Dispatch(Event::Size(WndMain)));
    EXPECT_FALSE(tables.Dispatch(Event::Close(WndSearch)));
    EXPECT_FALSE(tables.Dispatch(Event::Command(CmdQuit)));
    EXPECT_EQ(Log(),
              (std::vector<std::string>{"refresh", "close 0", "timer 1", "size 3", "minimise 0"}));
}

TEST_F(DispatchTest, ControlRowsMatchTheEventTypeOrAny) {
    DispatchTables tables;
    tables.OnControl(CtlProcessList, ControlEventType::Change, [] { Log().push_back("select"); });
    tables.OnControl(CtlProcessList, ControlEventType::RightClick,
                     [] { Log().push_back("popup 2"); });
    tables.OnControl(CtlKillList, ControlEventType::Any, [] { Log().push_back("kill list"); });

    EXPECT_TRUE(tables.Dispatch(Event::Control(CtlProcessList, ControlEventType::RightClick)));
    EXPECT_FALSE(tables.Dispatch(Event::Control(CtlProcessList, ControlEventType::LeftClick)));
    EXPECT_TRUE(tables.Dispatch(Event::Control(CtlProcessList, ControlEventType::Change)));
    EXPECT_TRUE(tables.Dispatch(Event::Control(CtlKillList, ControlEventType::Other)));
    EXPECT_TRUE(tables.Dispatch(Event::Control(CtlKillList, ControlEventType::Change)));
    EXPECT_EQ(Log(), (std::vector<std::string>{"popup 2", "select", "kill list", "kill list"}));
}

TEST_F(DispatchTest, TrayClicksAreTheirOwnKinds) {
    DispatchTables tables;
    tables.OnTray(TrayClick::Left, [] { Log().push_back("show"); });
    tables.OnTray(TrayClick::Right, [] { Log().push_back("popup 1"); });
    EXPECT_TRUE(tables.Dispatch(Event::Tray(TrayClick::Right)));
    EXPECT_FALSE(tables.Dispatch(Event::Tray(TrayClick::LeftDouble)));
    EXPECT_FALSE(tables.Dispatch(Event::Tray(TrayClick::RightDouble)));
    EXPECT_TRUE(tables.Dispatch(Event::Tray(TrayClick::Left)));
    EXPECT_EQ(Log(), (std::vector<std::string>{"popup 1", "show"}));
}

// A part may add a row for a number the shell already handles (the dispatcher runs
// both); rows run in the order they were added.
TEST_F(DispatchTest, SeveralRowsForOneNumberAllRunInOrder) {
    DispatchTables tables;
    tables.OnCommand(CmdSettings, [] { Log().push_back("open dialog"); });
    tables.OnCommand(CmdSettings, [] { Log().push_back("load settings"); });
    EXPECT_TRUE(tables.Dispatch(Event::Command(CmdSettings)));
    EXPECT_EQ(Log(), (std::vector<std::string>{"open dialog", "load settings"}));
}

TEST_F(DispatchTest, HeaderClicksCarryTheColumn) {
    DispatchTables tables;
    EXPECT_FALSE(tables.Dispatch(Event::HeaderClick(2)));
    tables.OnColumnHeaderClick(
        [](int column) { Log().push_back("column " + std::to_string(column)); });
    EXPECT_TRUE(tables.Dispatch(Event::HeaderClick(2)));
    EXPECT_TRUE(tables.Dispatch(Event::HeaderClick(0)));
    EXPECT_EQ(Log(), (std::vector<std::string>{"column 2", "column 0"}));
}

// The gate: a handler that pumps messages (a message box) must not have other handlers
// run inside it.
class EventGateTest : public ::testing::Test {
protected:
    EventGateTest()
        : gate_([this](const Event& event) {
              seen_.push_back(event);
              if (reentrant_.kind == event.kind && reentrant_.id == event.id) {
                  for (const Event& inner : raisedInside_) gate_.Raise(inner);
              }
          }) {}

    EventGate gate_;
    std::vector<Event> seen_;
    Event reentrant_ = Event::Command(CmdAbout);
    std::vector<Event> raisedInside_;
};

TEST_F(EventGateTest, EventsRaisedInsideAHandlerRunAfterItInOrder) {
    raisedInside_ = {Event::Command(CmdRefreshLists), Event::Close(WndSearch)};
    gate_.Raise(Event::Command(CmdAbout));
    EXPECT_EQ(seen_, (std::vector<Event>{Event::Command(CmdAbout), Event::Command(CmdRefreshLists),
                                         Event::Close(WndSearch)}));
    EXPECT_FALSE(gate_.busy());
    EXPECT_EQ(gate_.waiting(), 0u);
}

TEST_F(EventGateTest, AtMostOneEventPerTimerAndPerWindowSizeWaits) {
    raisedInside_ = {Event::Timer(TimerDetails),      Event::Timer(TimerAutoRefresh),
                     Event::Timer(TimerDetails),      Event::Size(WndMain),
                     Event::Timer(TimerDetails),      Event::Size(WndMain),
                     Event::Command(CmdRefreshLists), Event::Command(CmdRefreshLists)};
    gate_.Raise(Event::Command(CmdAbout));
    // Commands are the user's doing and all of them count; timers and sizes collapse.
    EXPECT_EQ(seen_, (std::vector<Event>{Event::Command(CmdAbout), Event::Timer(TimerDetails),
                                         Event::Timer(TimerAutoRefresh), Event::Size(WndMain),
                                         Event::Command(CmdRefreshLists),
                                         Event::Command(CmdRefreshLists)}));
}

TEST_F(EventGateTest, WorkRunAsAHandlerHoldsEventsUntilItEnds) {
    gate_.RunAsHandler([this] {
        gate_.Raise(Event::Size(WndMain));
        gate_.Raise(Event::Timer(TimerDetails));
        EXPECT_TRUE(seen_.empty());
        EXPECT_EQ(gate_.waiting(), 2u);
    });
    EXPECT_EQ(seen_, (std::vector<Event>{Event::Size(WndMain), Event::Timer(TimerDetails)}));
    // Outside any handler an event runs at once.
    gate_.Raise(Event::Command(CmdQuit));
    EXPECT_EQ(seen_.back(), Event::Command(CmdQuit));
}

}  // namespace
}  // namespace kelvaro
