// Fonts and icons of the main program.
#include "ui/resources_win.h"

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "common/scoped_win.h"
#include "resource_ids.h"

namespace kelvaro {
namespace {

struct ProgramResources {
    ScopedFont tahoma10;
    ScopedFont corbel12;
    ScopedFont menu;
    std::array<ScopedIcon, kIconRoleCount> small;
    std::array<ScopedIcon, kIconRoleCount> large;
    ScopedIcon applicationSmall;
    ScopedIcon applicationLarge;
    std::vector<std::pair<std::string, HMODULE>> libraries;
};

ProgramResources& Resources() {
    static ProgramResources resources;
    return resources;
}

constexpr std::array<int, kIconRoleCount> kIconResources = {
    KELVARO_ICON_SEARCH, KELVARO_ICON_REFRESH, KELVARO_ICON_SETTINGS, KELVARO_ICON_UPDATE,
    KELVARO_ICON_TRAY};

// Point sizes become pixel heights at the screen's resolution; the negative height asks
// for the character height rather than the cell height, as point sizes mean.
HFONT CreatePointFont(const char* face, int points) {
    ScopedWindowDc screen(nullptr, GetDC(nullptr));
    const int dpi = screen ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 96;
    return CreateFontA(-MulDiv(points, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                       DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, face);
}

// Each icon file holds eight sizes; LoadImage picks the one that fits the asked size.
HICON LoadIconOfSize(int resource, int pixels) {
    return static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resource),
                                         IMAGE_ICON, pixels, pixels, LR_DEFAULTCOLOR));
}

size_t Index(IconRole role) {
    return static_cast<size_t>(role);
}

}  // namespace

bool CreateProgramFonts() {
    ProgramResources& r = Resources();
    // The face name is passed in lower case as it stands; font matching ignores case.
    r.corbel12.reset(CreatePointFont("corbel", 12));
    r.tahoma10.reset(CreatePointFont("Tahoma", 10));
    return r.corbel12 && r.tahoma10;
}

bool LoadProgramIcons() {
    ProgramResources& r = Resources();
    bool all = true;
    for (size_t i = 0; i < kIconResources.size(); ++i) {
        r.small[i].reset(LoadIconOfSize(kIconResources[i], GetSystemMetrics(SM_CXSMICON)));
        r.large[i].reset(LoadIconOfSize(kIconResources[i], 32));
        all = all && r.small[i] && r.large[i];
    }
    r.applicationSmall.reset(
        LoadIconOfSize(KELVARO_ICON_APPLICATION, GetSystemMetrics(SM_CXSMICON)));
    r.applicationLarge.reset(LoadIconOfSize(KELVARO_ICON_APPLICATION, GetSystemMetrics(SM_CXICON)));
    return all;
}

HFONT MenuFont() {
    ProgramResources& r = Resources();
    if (!r.menu) {
        NONCLIENTMETRICSA metrics{};
        metrics.cbSize = sizeof(metrics);
        if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
            r.menu.reset(CreateFontIndirectA(&metrics.lfMenuFont));
        }
    }
    return r.menu ? r.menu.get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

HFONT ProgramFont(FontRole role) {
    ProgramResources& r = Resources();
    return role == FontRole::Tahoma10 ? r.tahoma10.get() : r.corbel12.get();
}

HICON ProgramIcon(IconRole role, IconSize size) {
    ProgramResources& r = Resources();
    return size == IconSize::Small ? r.small[Index(role)].get() : r.large[Index(role)].get();
}

HICON ApplicationIcon(IconSize size) {
    ProgramResources& r = Resources();
    return size == IconSize::Small ? r.applicationSmall.get() : r.applicationLarge.get();
}

HMODULE LoadRunTimeLibrary(const char* name) {
    ProgramResources& r = Resources();
    for (const auto& [loaded, module] : r.libraries) {
        if (loaded == name) return module;
    }
    const HMODULE module = LoadLibraryA(name);
    if (module != nullptr) r.libraries.emplace_back(name, module);
    return module;
}

void FreeRunTimeLibraries() {
    ProgramResources& r = Resources();
    for (const auto& library : r.libraries) FreeLibrary(library.second);
    r.libraries.clear();
}

void ReleaseProgramFonts() {
    ProgramResources& r = Resources();
    r.tahoma10.reset();
    r.corbel12.reset();
    r.menu.reset();
}

void ReleaseProgramIcons() {
    ProgramResources& r = Resources();
    for (ScopedIcon& icon : r.small) icon.reset();
    for (ScopedIcon& icon : r.large) icon.reset();
    r.applicationSmall.reset();
    r.applicationLarge.reset();
}

}  // namespace kelvaro
