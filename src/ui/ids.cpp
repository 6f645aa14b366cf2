// The tables behind the identifiers: which window holds which control, and the texts of
// the commands.
#include "ui/ids.h"

#include <array>

namespace kelvaro {
namespace {

constexpr std::array<ControlPlacement, kControlCount> kPlacements = {{
    {CtlTabs, WndMain},
    {CtlProcessList, WndMain},
    {CtlDescription, WndMain},
    {CtlProcessSplitter, WndMain},
    {CtlAutostart, WndSettings},
    {CtlStartMinimised, WndSettings},
    {CtlCheckForUpdates, WndSettings},
    {CtlAutoRefresh, WndSettings},
    {CtlTimeoutLabel, WndSettings},
    {CtlTimeout, WndSettings},
    {CtlSave, WndSettings},
    {CtlCancel, WndSettings},
    {CtlKillList, WndKillList},
    {CtlKillName, WndKillList},
    {CtlKillAdd, WndKillList},
    {CtlKillRemove, WndKillList},
    {CtlSearchText, WndSearch},
    {CtlSearchResults, WndSearch},
    {CtlSearchDescription, WndSearch},
    {CtlSearchButton, WndSearch},
    {CtlWindowTree, WndMain},
    {CtlWindowProperties, WndMain},
    {CtlPreview, WndMain},
    {CtlDetailsSplitter, WndMain},
    {CtlWindowSplitter, WndMain},
}};

// Each text with the position of its mnemonic letter. The positions keep the letters of
// one menu apart: "Datei" U, E, B; "Prozesse" S, L, B, O (the sort submenu); the sort
// submenu A, B, N, P, T, F; the popups Ö, B; P, G, K; S, Z, A, V, K.
struct CommandLabel {
    std::string_view text;
    size_t mnemonic;
};

constexpr std::array<CommandLabel, kCommandCount> kCommandLabels = {{
    {"Öffnen", 0},
    {"Beenden", 0},
    {"Prozess suchen...", 8},
    {"Liste aktualisieren", 0},
    {"Auf Updates prüfen", 4},
    {"Einstellungen", 0},
    {"Beenden", 0},
    {"Aufsteigend", 0},
    {"Absteigend", 1},
    {"Name", 0},
    {"Priorität", 0},
    {"Anzahl Threads", 7},
    {"Befund", 2},
    {"Bestimmte Prozesse beenden, wenn sie gefunden werden...", 19},
    {"Immer im Vordergrund", 0},
    {"Über", 0},
    {"Prozess beenden, wenn gefunden", 22},
    {"Fenster zeigen/verstecken", 8},
    {"Fenster aktivieren/deaktivieren", 8},
    {"Fenster schliessen", 8},
    {"Fenster in Vordergrund setzen", 11},
    {"Kopieren", 0},
    {"Prozess beenden", 0},
}};

// VK_DELETE and VK_F5 of the window system's headers, which this portable file does not
// include.
constexpr unsigned short kKeyDelete = 0x2E;
constexpr unsigned short kKeyF5 = 0x74;

constexpr ShortcutKey kShortcutKeys[] = {
    {CmdRefreshLists, kKeyF5, false, "F5"},
    {CmdSearchProcess, 'F', true, "Strg+F"},
    {CmdCopy, 'C', true, "Strg+C"},
    {CmdEndProcess, kKeyDelete, false, "Entf"},
};

char UpperLetter(char c) {
    if (c >= 'a' && c <= 'z') return static_cast<char>(c - 'a' + 'A');
    // ä ö ü of Windows-1252 to Ä Ö Ü.
    if (c == '\xE4' || c == '\xF6' || c == '\xFC') return static_cast<char>(c - 0x20);
    return c;
}

}  // namespace

std::span<const ControlPlacement> ControlPlacements() {
    return kPlacements;
}

WindowId WindowOfControl(ControlId control) {
    for (const ControlPlacement& placement : kPlacements) {
        if (placement.control == control) return placement.window;
    }
    return WndMain;
}

std::string_view CommandText(CommandId command) {
    const int index = static_cast<int>(command);
    if (index < 0 || index >= kCommandCount) return {};
    return kCommandLabels[static_cast<size_t>(index)].text;
}

std::string MenuLabel(CommandId command) {
    const int index = static_cast<int>(command);
    if (index < 0 || index >= kCommandCount) return {};
    const CommandLabel& label = kCommandLabels[static_cast<size_t>(index)];
    std::string text(label.text);
    text.insert(label.mnemonic, 1, '&');
    return text;
}

char MnemonicOf(std::string_view label) {
    for (size_t i = 0; i + 1 < label.size(); ++i) {
        if (label[i] != '&') continue;
        if (label[i + 1] != '&') return UpperLetter(label[i + 1]);
        ++i;  // "&&" stands for an ampersand
    }
    return 0;
}

std::span<const ShortcutKey> ShortcutKeys() {
    return kShortcutKeys;
}

std::string_view ShortcutKeyName(CommandId command) {
    for (const ShortcutKey& key : kShortcutKeys) {
        if (key.command == command) return key.name;
    }
    return {};
}

}  // namespace kelvaro
