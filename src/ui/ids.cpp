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

constexpr std::array<std::string_view, kCommandCount> kCommandTexts = {
    "Öffnen",
    "Beenden",
    "Prozess suchen...",
    "Liste aktualisieren",
    "Auf Updates prüfen",
    "Einstellungen",
    "Beenden",
    "Aufsteigend",
    "Absteigend",
    "Name",
    "Priorität",
    "Anzahl Threads",
    "Befund",
    "Bestimmte Prozesse beenden, wenn sie gefunden werden...",
    "Immer im Vordergrund",
    "Über",
    "Prozess beenden, wenn gefunden",
    "Fenster zeigen/verstecken",
    "Fenster aktivieren/deaktivieren",
    "Fenster schliessen",
    "Fenster in Vordergrund setzen",
};

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
    return kCommandTexts[static_cast<size_t>(index)];
}

}  // namespace kelvaro
