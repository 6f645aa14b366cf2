// The settings dialog (window 1) and the window-system side of loading and saving the
// settings: the dialog's controls, the autostart shortcut and the refresh timer.
#include "shell/settings_win.h"

#include <windows.h>
#include <shlobj.h>

#include <array>
#include <string>

#include "common/number_reader.h"
#include "inventory/kill_list_window_win.h"
#include "shell/settings_file.h"
#include "shell/shortcut_win.h"
#include "ui/dpi_win.h"
#include "ui/frame_win.h"
#include "ui/ids.h"
#include "ui/program_windows_win.h"

namespace kelvaro {
namespace {

constexpr int kInnerWidth = 200;
constexpr int kInnerHeight = 170;

constexpr WindowSpec kSettingsDialog{.id = WndSettings,
                                     .title = "Einstellungen",
                                     .innerWidth = kInnerWidth,
                                     .innerHeight = kInnerHeight,
                                     .keepOnScreen = true,
                                     .defaultButton = CtlSave};

struct DialogControl {
    ControlId id;
    const char* className;
    const char* text;
    DWORD style;
    DWORD exStyle;
    int x, y, width, height;
};

constexpr DWORD kCheckBox = BS_AUTOCHECKBOX | WS_TABSTOP;
constexpr DWORD kPushButton = BS_PUSHBUTTON | WS_TABSTOP;

constexpr std::array<DialogControl, 8> kDialogControls{{
    {CtlAutostart, "Button", "Autostart", kCheckBox, 0, 5, 5, 180, 20},
    {CtlStartMinimised, "Button", "Minimiert starten", kCheckBox, 0, 5, 30, 180, 20},
    {CtlCheckForUpdates, "Button", "Autom. nach Updates suchen", kCheckBox, 0, 5, 55, 180, 20},
    {CtlAutoRefresh, "Button", "Liste autom. aktualisieren", kCheckBox, 0, 5, 80, 180, 20},
    {CtlTimeoutLabel, "Static", "Timeout in sec", SS_LEFT, 0, 15, 103, 80, 20},
    {CtlTimeout, "Edit", "", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, 100, 100, 75, 20},
    {CtlCancel, "Button", "Abbrechen", kPushButton, 0, 5, kInnerHeight - 30, 90, 25},
    {CtlSave, "Button", "Speichern", kPushButton | BS_DEFPUSHBUTTON, 0, kInnerWidth - 100,
     kInnerHeight - 30, 95, 25},
}};

void BuildDialogControls(HWND window) {
    for (const DialogControl& c : kDialogControls) {
        const Rect place = Scaled(window, Rect{c.x, c.y, c.width, c.height});
        CreateControl(c.id, window, c.className, c.text, c.style, c.exStyle, place.x, place.y,
                      place.width, place.height);
    }
}

void SetChecked(ControlId box, int32_t value) {
    SendMessageA(ControlHandle(box), BM_SETCHECK, value != 0 ? BST_CHECKED : BST_UNCHECKED, 0);
}

int32_t CheckedValue(ControlId box) {
    return SendMessageA(ControlHandle(box), BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
}

std::string ControlText(ControlId id) {
    const HWND control = ControlHandle(id);
    const int length = GetWindowTextLengthA(control);
    if (length <= 0) return {};
    std::string text(static_cast<size_t>(length) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(control, text.data(), length + 1)));
    return text;
}

void FillDialog(const Settings& settings) {
    SetChecked(CtlAutostart, settings.Autostart);
    SetChecked(CtlStartMinimised, settings.StartMinimised);
    SetChecked(CtlAutoRefresh, settings.AutoRefresh);
    SetChecked(CtlCheckForUpdates, settings.CheckForUpdates);
    SetWindowTextA(ControlHandle(CtlTimeout), std::to_string(settings.Timeout).c_str());
}

Settings DialogChoices() {
    Settings chosen;
    chosen.Autostart = CheckedValue(CtlAutostart);
    chosen.StartMinimised = CheckedValue(CtlStartMinimised);
    chosen.AutoRefresh = CheckedValue(CtlAutoRefresh);
    chosen.CheckForUpdates = CheckedValue(CtlCheckForUpdates);
    chosen.Timeout = ReadNumber(ControlText(CtlTimeout));
    return chosen;
}

// The full path of the running program file; empty when it does not fit the buffer, since
// a shortcut to a cut-off path would start nothing.
std::string RunningProgramPath() {
    char path[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return {};
    return std::string(path, length);
}

void PlaceAutostartShortcut(bool autostart) {
    const std::string link = AutostartLinkPath(GetSpecialFolderPath(CSIDL_STARTUP));
    // Without the startup folder there is nothing to place or remove.
    if (link.empty()) return;
    if (!autostart) {
        RemoveShortcut(link);
        return;
    }
    const std::string program = RunningProgramPath();
    if (!program.empty()) CreateShortcut(AutostartShortcut(program, link));
}

void RestartRefreshTimer(int32_t timeout) {
    SetTimer(MainWindow(), TimerAutoRefresh, AutoRefreshIntervalMs(timeout), nullptr);
}

}  // namespace

void LoadSettings() {
    if (!LoadSettingsFile()) return;
    // The kill list was read anew; an open kill-list window shows it.
    OnKillListReloaded();
    if (ProgramWindow(WndSettings) != nullptr) FillDialog(ProgramSettings());
}

void OpenSettingsDialog() {
    OpenProgramWindow(kSettingsDialog, BuildDialogControls);
}

void CloseSettingsDialog() {
    CloseProgramWindow(WndSettings);
}

void SaveSettings() {
    // The choices are the dialog's; without it there are none to save.
    if (ProgramWindow(WndSettings) == nullptr) return;
    SaveSettingsFile(DialogChoices(), {PlaceAutostartShortcut, RestartRefreshTimer});
}

}  // namespace kelvaro
