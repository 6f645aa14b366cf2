// The decisions about shell links that need no system call.
#include "shell/shortcut.h"

namespace kelvaro {

std::string FolderOfPath(std::string_view path) {
    const size_t slash = path.find_last_of('\\');
    if (slash == std::string_view::npos) return {};
    return std::string(path.substr(0, slash + 1));
}

ShortcutProperties WithShortcutDefaults(ShortcutProperties properties) {
    if (properties.workingFolder.empty())
        properties.workingFolder = FolderOfPath(properties.target);
    if (properties.iconFile == kIconOfTarget) properties.iconFile = properties.target;
    return properties;
}

std::string AutostartLinkPath(std::string_view startupFolder) {
    if (startupFolder.empty() || startupFolder == "\\") return {};
    std::string path(startupFolder);
    if (path.back() != '\\') path += '\\';
    return path + std::string(kAutostartLinkName);
}

ShortcutProperties AutostartShortcut(std::string_view programPath, std::string_view linkPath) {
    ShortcutProperties properties;
    properties.target = std::string(programPath);
    properties.linkFile = std::string(linkPath);
    properties.iconFile = std::string(kIconOfTarget);
    return properties;
}

}  // namespace kelvaro
