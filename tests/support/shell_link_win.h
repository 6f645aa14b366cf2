// Shell links as the shell reads them back, for tests of the autostart shortcut.
#pragma once

#include <optional>
#include <string>

namespace kelvaro::test {

struct ShellLinkInfo {
    std::string target;
    std::string workingFolder;
    std::string arguments;
    std::string description;
    int showCommand = 0;
    unsigned hotKey = 0;
    std::string iconFile;
    int iconIndex = -1;
};

// Reads a ".lnk" file through IShellLinkW and IPersistFile; none when it cannot be loaded.
std::optional<ShellLinkInfo> ReadShellLink(const std::string& linkPath);

// The user's startup folder with a trailing backslash; empty when the shell has none.
std::string StartupFolder();

}  // namespace kelvaro::test
