// Fonts and icons of the main program.
#include "ui/resources_win.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "common/scoped_win.h"
#include "resource_ids.h"
#include "ui/dpi_win.h"

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
    // Fonts and the program's icon for DPIs other than the system's, made when a window
    // first moves to a screen of that DPI.
    std::vector<ScopedFont> scaledFonts;
    struct ApplicationIcons {
        int dpi;
        ScopedIcon small;
        ScopedIcon large;
    };
    std::vector<ApplicationIcons> scaledApplicationIcons;
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

LOGFONTA FontDescription(HFONT font) {
    LOGFONTA description{};
    if (font != nullptr) GetObjectA(font, sizeof(description), &description);
    return description;
}

bool SameFont(const LOGFONTA& a, const LOGFONTA& b) {
    return a.lfHeight == b.lfHeight && a.lfWidth == b.lfWidth && a.lfWeight == b.lfWeight &&
           a.lfItalic == b.lfItalic && a.lfUnderline == b.lfUnderline &&
           a.lfCharSet == b.lfCharSet && lstrcmpiA(a.lfFaceName, b.lfFaceName) == 0;
}

}  // namespace

bool CreateProgramFonts() {
    ProgramResources& r = Resources();
    // The face name is passed in lower case as it stands; font matching ignores case.
    r.corbel12.reset(CreatePointFont("corbel", 12));
    r.tahoma10.reset(CreatePointFont("Tahoma", 10));
    return r.corbel12 && r.tahoma10;
}

bool LoadProgramIcons(int dpi) {
    ProgramResources& r = Resources();
    bool all = true;
    const int smallSize = SystemMetricForDpi(SM_CXSMICON, dpi);
    const int largeSize = ScaleToDpi(32, dpi);
    for (size_t i = 0; i < kIconResources.size(); ++i) {
        r.small[i].reset(LoadIconOfSize(kIconResources[i], smallSize));
        r.large[i].reset(LoadIconOfSize(kIconResources[i], largeSize));
        all = all && r.small[i] && r.large[i];
    }
    // The window class keeps these for its whole life.
    if (!r.applicationSmall) {
        r.applicationSmall.reset(
            LoadIconOfSize(KELVARO_ICON_APPLICATION, GetSystemMetrics(SM_CXSMICON)));
        r.applicationLarge.reset(
            LoadIconOfSize(KELVARO_ICON_APPLICATION, GetSystemMetrics(SM_CXICON)));
    }
    return all;
}

HFONT MenuFont(int dpi) {
    ProgramResources& r = Resources();
    if (!r.menu) {
        NONCLIENTMETRICSA metrics{};
        if (NonClientMetricsForDpi(metrics, SystemDpi())) {
            r.menu.reset(CreateFontIndirectA(&metrics.lfMenuFont));
        }
    }
    const HFONT font = r.menu ? r.menu.get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    return FontForDpi(font, SystemDpi(), dpi);
}

HFONT ProgramFont(FontRole role, int dpi) {
    return FontForDpi(ProgramFont(role), SystemDpi(), dpi);
}

HFONT DialogFont(int dpi) {
    return FontForDpi(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)), SystemDpi(), dpi);
}

HFONT FontForDpi(HFONT font, int fromDpi, int toDpi) {
    if (font == nullptr || fromDpi == toDpi || fromDpi <= 0 || toDpi <= 0) return font;
    ProgramResources& r = Resources();
    LOGFONTA wanted = FontDescription(font);
    wanted.lfHeight = MulDivRounded(wanted.lfHeight, toDpi, fromDpi);
    wanted.lfWidth = MulDivRounded(wanted.lfWidth, toDpi, fromDpi);
    const HFONT own[] = {r.tahoma10.get(), r.corbel12.get(), r.menu.get(),
                         static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT))};
    for (HFONT candidate : own) {
        if (candidate != nullptr && SameFont(FontDescription(candidate), wanted)) return candidate;
    }
    for (const ScopedFont& made : r.scaledFonts) {
        if (SameFont(FontDescription(made.get()), wanted)) return made.get();
    }
    ScopedFont made(CreateFontIndirectA(&wanted));
    if (!made) return font;
    r.scaledFonts.push_back(std::move(made));
    return r.scaledFonts.back().get();
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

HICON ApplicationIcon(IconSize size, int dpi) {
    if (dpi == SystemDpi()) return ApplicationIcon(size);
    ProgramResources& r = Resources();
    auto found = std::find_if(r.scaledApplicationIcons.begin(), r.scaledApplicationIcons.end(),
                              [dpi](const auto& icons) { return icons.dpi == dpi; });
    if (found == r.scaledApplicationIcons.end()) {
        ProgramResources::ApplicationIcons icons{dpi, {}, {}};
        icons.small.reset(
            LoadIconOfSize(KELVARO_ICON_APPLICATION, SystemMetricForDpi(SM_CXSMICON, dpi)));
        icons.large.reset(
            LoadIconOfSize(KELVARO_ICON_APPLICATION, SystemMetricForDpi(SM_CXICON, dpi)));
        r.scaledApplicationIcons.push_back(std::move(icons));
        found = std::prev(r.scaledApplicationIcons.end());
    }
    return size == IconSize::Small ? found->small.get() : found->large.get();
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
    r.scaledFonts.clear();
}

void ReleaseProgramIcons() {
    ProgramResources& r = Resources();
    for (ScopedIcon& icon : r.small) icon.reset();
    for (ScopedIcon& icon : r.large) icon.reset();
    r.applicationSmall.reset();
    r.applicationLarge.reset();
    r.scaledApplicationIcons.clear();
}

}  // namespace kelvaro
