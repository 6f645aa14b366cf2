// The window inspector's model: applications (one per executable file name) with their
// top-level windows and every window inside them, and the grouping that builds it.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelvaro {

// A window handle as the window system hands it out: 64 bits.
using WindowHandle = std::uint64_t;

// A small shell icon. User handles fit into 32 bits on 64-bit Windows, so the record keeps
// the low half and the handle is sign-extended again when handed back to the system.
using IconHandle = std::int32_t;

struct WindowRecord {
    WindowHandle Handle = 0;
    // Every window below this one at any depth, in the order the system reported them.
    std::vector<WindowHandle> Children;
};

struct ApplicationRecord {
    // The file name part of the executable's path, letter case kept.
    std::string Name;
    IconHandle Icon = 0;                // owned by the record; 0 when the shell gave none
    std::vector<WindowRecord> Windows;  // top of the z-order first
};

// Ordered; new records are appended, and the tree build sorts it in place.
using ApplicationList = std::vector<ApplicationRecord>;

// The program's one application list, from start to end.
ApplicationList& ProgramApplications();

// What the enumeration needs from the window system, passed in so the grouping runs
// anywhere.
struct WindowServices {
    // Calls the visitor once per top-level window, top of the z-order first.
    std::function<void(const std::function<void(WindowHandle)>& visit)> forEachTopLevelWindow;
    // The id of the process that owns the window; 0 when the window is gone.
    std::function<std::uint32_t(WindowHandle)> owningProcessId;
    // The full path of the process's first module, or nothing when it cannot be read.
    std::function<std::optional<std::string>(std::uint32_t processId)> firstModulePath;
    // Appends every window below the given one, at every depth, in the order reported.
    std::function<void(WindowHandle, std::vector<WindowHandle>& out)> appendDescendants;
    // The small icon of an existing file, 0 when none.
    std::function<IconHandle(const std::string& path)> smallFileIcon;
};

// The part of a path after its last backslash; the whole path when it has none.
std::string_view FileNameOfPath(std::string_view path);

// Appends every top-level window the services report to the list, grouped by the exact
// (case-sensitive) file name of its process's executable, each with all its descendants.
// Windows whose process cannot be inspected, or whose executable name is empty, are left
// out. The module look-up is done once per process id within one call.
void EnumerateWindows(ApplicationList& list, const WindowServices& services);

// Empties the list and hands every record's icon to releaseIcon.
void ClearApplications(ApplicationList& list, const std::function<void(IconHandle)>& releaseIcon);

}  // namespace kelvaro
