// The window target program of the inspector tests: the windows it creates and the
// commands it takes, shared by the program and the tests that drive it.
#pragma once

namespace kelvaro::test {

inline constexpr const char* kWindowTargetExe = "kv_window_target.exe";

// Command line: [--tag TEXT] [--inner N] [--picture WxH+X+Y]. The tag ends every
// top-level title, so tests tell instances apart; --inner adds a top-level window holding
// N inner windows; --picture adds a frameless topmost window of that size and place whose
// left half is kPictureLeftColour and right half kPictureRightColour.
inline constexpr const char* kTargetMainClass = "KvTargetMain";
inline constexpr const char* kTargetPanelClass = "KvTargetPanel";
inline constexpr const char* kTargetPlainClass = "KvTargetPlain";
inline constexpr const char* kTargetPictureClass = "KvTargetPicture";

// Top-level titles are these texts, a blank and the tag.
inline constexpr const char* kTargetMainTitle = "Zielfenster f\xFCr Tests";
inline constexpr const char* kTargetHiddenTitle = "Unsichtbar";
inline constexpr const char* kTargetToolTitle = "Werkzeug";
inline constexpr const char* kTargetManyTitle = "Viele Fenster";
inline constexpr const char* kTargetPictureTitle = "Bild";
// 0x00RRGGBB. Neither black nor white nor grey, so a picture that was not copied, the
// preview's body and its header all differ from them.
inline constexpr unsigned kPictureLeftColour = 0xC81E1E;
inline constexpr unsigned kPictureRightColour = 0x1E1EC8;
// The untitled top-level window has class kTargetPlainClass and no title.

// Inside the main window, in creation order (depth first):
//   "Ebene 1" (panel) > "Ebene 2" (panel) > "Ebene 3" (Static); "Knopf" (Button);
//   an untitled Static.
inline constexpr const char* kTargetLevel1 = "Ebene 1";
inline constexpr const char* kTargetLevel2 = "Ebene 2";
inline constexpr const char* kTargetLevel3 = "Ebene 3";
inline constexpr const char* kTargetButton = "Knopf";
// Inner windows of the --inner window are Statics titled "Kind " and their number from 1.
inline constexpr const char* kTargetManyChildPrefix = "Kind ";

// Commands: send the registered message to the main window, with the command as wParam.
inline constexpr const char* kTargetCommandMessage = "KelvaroWindowTargetCommand";
enum TargetCommand {
    kTargetRetitle = 1,  // title becomes kTargetRetitled, a blank and lParam in decimal
    kTargetDisable = 2,  // the main window disables itself
    kTargetEnable = 3,
    kTargetQuit = 4,  // destroys its windows and ends with exit code 0
};
inline constexpr const char* kTargetRetitled = "Zielfenster ge\xE4ndert";

}  // namespace kelvaro::test
