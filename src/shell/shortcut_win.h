// Shell links through the shell's link object, and the paths of the shell's special
// folders.
#pragma once

#include <string>

#include "shell/shortcut.h"

namespace kelvaro {

// Writes a shell link file with every property given (after WithShortcutDefaults); an
// existing file of that name is overwritten, once no other program reads it any more. 1
// when the shell saved the link, else 0.
int CreateShortcut(const ShortcutProperties& properties);

// Removes a shell link file, waiting a moment while another program reads it (Wine's menu
// builder reads every new link). 1 when the link is gone, also when there was none, else 0.
int RemoveShortcut(const std::string& linkFile);

// The path of a special folder of the shell (a CSIDL number) followed by a backslash, or
// empty when the shell cannot name it as a folder of the file system.
std::string GetSpecialFolderPath(int csidl);

}  // namespace kelvaro
