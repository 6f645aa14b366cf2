// The program's events and their dispatch: every notification of the window system that
// matters becomes one Event, which the tables {identifier, handler} map to a handler.
// Handlers run one at a time; events raised while one runs wait for it to end.
#pragma once

#include <deque>
#include <functional>
#include <vector>

#include "ui/ids.h"

namespace kelvaro {

enum class EventKind {
    Close,        // a close request to a window; id = window
    Size,         // a window changed size (not by minimising); id = window
    Minimise,     // a window was minimised; id = window
    Timer,        // id = timer
    Tray,         // a click on the notification-area icon; type = TrayClick
    Command,      // a menu item, popup item or toolbar button; id = command
    Control,      // a control notification; id = control, type = ControlEventType
    HeaderClick,  // a column header of the process list was clicked; id = column
};

enum class TrayClick { Left, Right, LeftDouble, RightDouble };

enum class ControlEventType {
    Change,  // an item became selected or unselected, or its check state changed
    LeftClick,
    RightClick,
    LeftDoubleClick,
    RightDoubleClick,
    Click,    // a button was pressed
    MenuKey,  // the context menu was asked for from the keyboard (Shift+F10, menu key)
    Other,    // any other notification (edit fields, list boxes, ...)
    Any,    // in a table row only: matches every event type of the control
};

struct Event {
    EventKind kind = EventKind::Command;
    int id = 0;
    int type = 0;

    static Event Close(WindowId window) { return {EventKind::Close, window, 0}; }
    static Event Size(WindowId window) { return {EventKind::Size, window, 0}; }
    static Event Minimise(WindowId window) { return {EventKind::Minimise, window, 0}; }
    static Event Timer(int timer) { return {EventKind::Timer, timer, 0}; }
    static Event Tray(TrayClick click) { return {EventKind::Tray, 0, static_cast<int>(click)}; }
    static Event Command(int command) { return {EventKind::Command, command, 0}; }
    static Event Control(int control, ControlEventType type) {
        return {EventKind::Control, control, static_cast<int>(type)};
    }
    static Event HeaderClick(int column) { return {EventKind::HeaderClick, column, 0}; }
    bool operator==(const Event&) const = default;
};

using Handler = void (*)();
using ColumnClickHandler = void (*)(int column);

// The dispatch tables. Rows are added at start-up, before the first event; several rows
// for one identifier all run, in the order they were added.
class DispatchTables {
public:
    void OnClose(WindowId window, Handler handler);
    void OnSize(WindowId window, Handler handler);
    void OnMinimise(WindowId window, Handler handler);
    void OnTimer(int timer, Handler handler);
    void OnTray(TrayClick click, Handler handler);
    void OnCommand(CommandId command, Handler handler);
    void OnControl(ControlId control, ControlEventType type, Handler handler);
    // The process list's column headers (the header-click hook).
    void OnColumnHeaderClick(ColumnClickHandler handler) { columnClicks_.push_back(handler); }

    // Runs the handlers of the rows that match (or the column-header handler); false when
    // nothing matched.
    bool Dispatch(const Event& event) const;

private:
    struct Row {
        EventKind kind;
        int id;
        int type;  // tray click or control event type; ignored for the other kinds
        Handler handler;
    };
    static bool Matches(const Row& row, const Event& event);

    std::vector<Row> rows_;
    std::vector<ColumnClickHandler> columnClicks_;
};

// Runs one event's handlers to their end before the next event is taken. An event raised
// while a handler runs (a message box or a popup menu inside a handler pumps the window
// system's messages) waits and is delivered when the handler has ended; of timer events
// that fall due meanwhile at most one per timer is kept, and of size events one per
// window, since a later one supersedes an earlier one.
class EventGate {
public:
    explicit EventGate(std::function<void(const Event&)> run) : run_(std::move(run)) {}

    void Raise(const Event& event);
    // Runs a piece of work as if it were a handler: events raised meanwhile wait.
    void RunAsHandler(const std::function<void()>& work);
    bool busy() const { return depth_ > 0; }
    size_t waiting() const { return waiting_.size(); }

private:
    void Queue(const Event& event);
    void DrainWaiting();

    std::function<void(const Event&)> run_;
    std::deque<Event> waiting_;
    int depth_ = 0;
};

}  // namespace kelvaro
