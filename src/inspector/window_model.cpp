// Grouping of the enumerated windows into applications, free of any system call.
#include "inspector/window_model.h"

#include <unordered_map>

namespace kelvaro {
namespace {

ApplicationRecord* FindApplication(ApplicationList& list, std::string_view name) {
    for (ApplicationRecord& record : list) {
        if (record.Name == name) return &record;
    }
    return nullptr;
}

}  // namespace

ApplicationList& ProgramApplications() {
    static ApplicationList list;
    return list;
}

std::string_view FileNameOfPath(std::string_view path) {
    const size_t slash = path.find_last_of('\\');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

void EnumerateWindows(ApplicationList& list, const WindowServices& services) {
    // One module snapshot per process: every window of a process gives the same answer.
    std::unordered_map<std::uint32_t, std::optional<std::string>> modulePaths;

    services.forEachTopLevelWindow([&](WindowHandle window) {
        const std::uint32_t processId = services.owningProcessId(window);
        // A window that vanished since it was reported has no owner; a module snapshot of
        // process id 0 would describe our own program instead.
        if (processId == 0) return;

        auto cached = modulePaths.find(processId);
        if (cached == modulePaths.end()) {
            cached = modulePaths.emplace(processId, services.firstModulePath(processId)).first;
        }
        if (!cached->second) return;
        const std::string& path = *cached->second;
        const std::string_view name = FileNameOfPath(path);
        if (name.empty()) return;

        ApplicationRecord* application = FindApplication(list, name);
        if (application == nullptr) {
            application = &list.emplace_back();
            application->Name = std::string(name);
            application->Icon = services.smallFileIcon(path);
        }
        WindowRecord& record = application->Windows.emplace_back();
        record.Handle = window;
        services.appendDescendants(window, record.Children);
    });
}

void ClearApplications(ApplicationList& list, const std::function<void(IconHandle)>& releaseIcon) {
    for (const ApplicationRecord& record : list) {
        if (record.Icon != 0) releaseIcon(record.Icon);
    }
    list.clear();
}

}  // namespace kelvaro
