// Shell links: the properties a link file is made with, the defaults a caller may leave
// to CreateShortcut, and the program's autostart shortcut in the user's startup folder.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kelvaro {

// An icon file of this one character stands for the link's target.
inline constexpr std::string_view kIconOfTarget = "|";

// SW_SHOWNORMAL: the target opens in a normal window.
inline constexpr int kShowNormal = 1;

struct ShortcutProperties {
    std::string target;         // full path of the file the link starts
    std::string linkFile;       // full path of the ".lnk" file to write
    std::string workingFolder;  // empty: the target's folder
    std::string arguments;
    int showCommand = kShowNormal;
    std::string description;
    uint16_t hotKey = 0;   // none
    std::string iconFile;  // kIconOfTarget: the target itself
    int iconIndex = 0;
};

// The folder part of a path, with its trailing backslash; empty when the path names no
// folder.
std::string FolderOfPath(std::string_view path);

// The properties as the link is written: an empty working folder becomes the target's
// folder, and the icon file "|" the target.
ShortcutProperties WithShortcutDefaults(ShortcutProperties properties);

// The autostart shortcut's file name in the startup folder.
inline constexpr std::string_view kAutostartLinkName = "Kelvaro.lnk";

// The autostart shortcut's path in the startup folder (given with its trailing backslash).
// Empty when the folder is unknown: a bare "Kelvaro.lnk" would land in whatever folder is
// current, or at the root of the drive.
std::string AutostartLinkPath(std::string_view startupFolder);

// The autostart shortcut of the program file at `programPath`: started in its own folder,
// so that it finds its settings file there, with its own icon.
ShortcutProperties AutostartShortcut(std::string_view programPath, std::string_view linkPath);

}  // namespace kelvaro
