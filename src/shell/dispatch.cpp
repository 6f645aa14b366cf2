// Dispatch tables and the gate that runs one handler at a time.
#include "shell/dispatch.h"

#include <algorithm>

namespace kelvaro {

void DispatchTables::OnClose(WindowId window, Handler handler) {
    rows_.push_back({EventKind::Close, window, 0, handler});
}
void DispatchTables::OnSize(WindowId window, Handler handler) {
    rows_.push_back({EventKind::Size, window, 0, handler});
}
void DispatchTables::OnMinimise(WindowId window, Handler handler) {
    rows_.push_back({EventKind::Minimise, window, 0, handler});
}
void DispatchTables::OnTimer(int timer, Handler handler) {
    rows_.push_back({EventKind::Timer, timer, 0, handler});
}
void DispatchTables::OnTray(TrayClick click, Handler handler) {
    rows_.push_back({EventKind::Tray, 0, static_cast<int>(click), handler});
}
void DispatchTables::OnCommand(CommandId command, Handler handler) {
    rows_.push_back({EventKind::Command, command, 0, handler});
}
void DispatchTables::OnControl(ControlId control, ControlEventType type, Handler handler) {
    rows_.push_back({EventKind::Control, control, static_cast<int>(type), handler});
}

bool DispatchTables::Matches(const Row& row, const Event& event) {
    if (row.kind != event.kind || row.id != event.id) return false;
    switch (row.kind) {
        case EventKind::Tray:
            return row.type == event.type;
        case EventKind::Control:
            return row.type == static_cast<int>(ControlEventType::Any) || row.type == event.type;
        default:
            return true;
    }
}

bool DispatchTables::Dispatch(const Event& event) const {
    if (event.kind == EventKind::HeaderClick) {
        for (ColumnClickHandler handler : columnClicks_) handler(event.id);
        return !columnClicks_.empty();
    }
    bool matched = false;
    for (const Row& row : rows_) {
        if (row.handler == nullptr || !Matches(row, event)) continue;
        matched = true;
        row.handler();
    }
    return matched;
}

void EventGate::Raise(const Event& event) {
    if (depth_ > 0) {
        Queue(event);
        return;
    }
    ++depth_;
    run_(event);
    DrainWaiting();
    --depth_;
}

void EventGate::RunAsHandler(const std::function<void()>& work) {
    ++depth_;
    work();
    if (depth_ == 1) DrainWaiting();
    --depth_;
}

void EventGate::Queue(const Event& event) {
    const bool supersedes = event.kind == EventKind::Timer || event.kind == EventKind::Size;
    if (supersedes && std::find(waiting_.begin(), waiting_.end(), event) != waiting_.end()) {
        return;
    }
    waiting_.push_back(event);
}

void EventGate::DrainWaiting() {
    while (!waiting_.empty()) {
        const Event next = waiting_.front();
        waiting_.pop_front();
        run_(next);
    }
}

}  // namespace kelvaro
