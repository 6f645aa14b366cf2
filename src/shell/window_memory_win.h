// The main window's memory against the live window: read off it when the program ends,
// put back before it is first shown.
#pragma once

namespace kelvaro {

// Reads the group "Fenster" of the settings file and applies it to the hidden main window:
// its place and size (only when they lie on a present screen and within the window's
// limits; otherwise it stays centred as at every first start), the process list's columns,
// the splitters and the sort. Nothing without a settings file or without the group.
void RestoreWindowMemory();
// Whether the window was maximised when the program last ended, as restored.
bool RestoresMaximised();

// Writes the group from the live main window into the settings file, when there is one.
void SaveWindowMemory();

}  // namespace kelvaro
