// The resources of the built programs read back as Windows reads them: the version
// resource through GetFileVersionInfoA / VerQueryValueA, the manifest through the resource
// functions. Both must carry CMake's project version; the test stand-in of a newer program
// must carry its own version everywhere.
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "support/ui_driver.h"

namespace kelvaro {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

struct Version {
    int major = -1;
    int minor = -1;
    std::string Quad() const {
        return std::to_string(major) + "." + std::to_string(minor) + ".0.0";
    }
};

Version ProjectVersion() {
    Version version;
    std::sscanf(KELVARO_PROJECT_VERSION, "%d.%d", &version.major, &version.minor);
    return version;
}

// A program file in the build folder, the name it is released under, and its version.
struct ProgramFile {
    std::string file;
    std::string releaseName;
    Version version;
};

std::vector<ProgramFile> ReleasedPrograms() {
    return {{"Kelvaro(x64).exe", "Kelvaro(x64).exe", ProjectVersion()},
            {"KelvaroUpdate.exe", "KelvaroUpdate.exe", ProjectVersion()}};
}

class VersionInfo {
public:
    explicit VersionInfo(const std::string& path) {
        DWORD ignored = 0;
        const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
        if (size == 0) return;
        data_.resize(size);
        if (!GetFileVersionInfoA(path.c_str(), 0, size, data_.data())) data_.clear();
    }
    bool loaded() const { return !data_.empty(); }

    const VS_FIXEDFILEINFO* Fixed() {
        return static_cast<const VS_FIXEDFILEINFO*>(Query("\\"));
    }
    // The first translation: language and code page.
    std::pair<WORD, WORD> Translation() {
        const auto* pair = static_cast<const WORD*>(Query("\\VarFileInfo\\Translation"));
        return pair == nullptr ? std::pair<WORD, WORD>{0, 0} : std::pair{pair[0], pair[1]};
    }
    std::string Text(const std::string& name) {
        const auto* text = static_cast<const char*>(Query("\\StringFileInfo\\040704e4\\" + name));
        return text == nullptr ? "<missing>" : text;
    }

private:
    const void* Query(const std::string& path) {
        void* value = nullptr;
        UINT length = 0;
        if (!loaded() || !VerQueryValueA(data_.data(), path.c_str(), &value, &length) ||
            length == 0) {
            return nullptr;
        }
        return value;
    }
    std::vector<char> data_;
};

std::string Manifest(const std::string& path) {
    const HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (module == nullptr) return "<not loaded>";
    std::string text = "<no manifest>";
    if (const HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), RT_MANIFEST)) {
        const HGLOBAL loaded = LoadResource(module, found);
        const auto* bytes = static_cast<const char*>(LockResource(loaded));
        if (bytes != nullptr) text.assign(bytes, SizeofResource(module, found));
    }
    FreeLibrary(module);
    return text;
}

void ExpectVersionResource(const ProgramFile& program) {
    SCOPED_TRACE(program.file);
    const Version& version = program.version;
    VersionInfo info(test::PathNextToTestExe(program.file));
    ASSERT_TRUE(info.loaded());
    const VS_FIXEDFILEINFO* fixed = info.Fixed();
    ASSERT_NE(fixed, nullptr);
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, static_cast<DWORD>(MAKELONG(version.minor, version.major)));
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
    EXPECT_EQ(fixed->dwFileOS, static_cast<DWORD>(VOS_NT_WINDOWS32));
    EXPECT_EQ(fixed->dwFileFlags & fixed->dwFileFlagsMask, 0u);  // no debug or pre-release

    EXPECT_EQ(info.Translation(), (std::pair<WORD, WORD>{0x0407, 1252}));
    EXPECT_EQ(info.Text("ProductName"), "Kelvaro");
    EXPECT_EQ(info.Text("FileVersion"), version.Quad());
    EXPECT_EQ(info.Text("ProductVersion"), version.Quad());
    EXPECT_EQ(info.Text("OriginalFilename"), program.releaseName);
    EXPECT_EQ(info.Text("InternalName"), program.releaseName);
    EXPECT_EQ(info.Text("CompanyName"), "Kelvaro-Team");
    // German texts, converted to the ANSI code page 1252: a dash and umlauts.
    EXPECT_THAT(info.Text("FileDescription"), StartsWith("Kelvaro \x96 "));
    EXPECT_EQ(info.Text("LegalCopyright"), "\xA9 2026 Kelvaro-Team");
}

void ExpectManifest(const ProgramFile& program) {
    SCOPED_TRACE(program.file);
    const Version& version = program.version;
    const std::string manifest = Manifest(test::PathNextToTestExe(program.file));
    EXPECT_THAT(manifest, HasSubstr("name=\"Kelvaro\" version=\"" + version.Quad() + "\""));
    EXPECT_THAT(manifest, HasSubstr("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""));
    EXPECT_THAT(manifest, HasSubstr("<requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>"));
    for (const char* windows : {"35138b9a-5d96-4fbd-8e2d-a2440225f93a",    // 7
                                "4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38",    // 8
                                "1f676c76-80e1-4239-95bb-83d0f6d0da78",    // 8.1
                                "8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a"}) {  // 10 and 11
        EXPECT_THAT(manifest, HasSubstr("<supportedOS Id=\"{" + std::string(windows) + "}\"/>"));
    }
    // Per-monitor aware, version 2 with version 1 after it, and the older systems' entry.
    EXPECT_THAT(manifest, HasSubstr("<dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/"
                                    "WindowsSettings\">PerMonitorV2, PerMonitor</dpiAwareness>"));
    EXPECT_THAT(manifest, HasSubstr("<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/"
                                    "WindowsSettings\">true/pm</dpiAware>"));
    EXPECT_THAT(manifest, HasSubstr("<application xmlns=\"urn:schemas-microsoft-com:asm.v3\">"));
}

TEST(ProgramResources, BothProgramsCarryTheProjectVersionInTheirVersionResource) {
    ASSERT_GT(ProjectVersion().major, 0);
    for (const ProgramFile& program : ReleasedPrograms()) {
        ExpectVersionResource(program);
    }
}

TEST(ProgramResources, BothProgramsCarryTheCompleteManifestWithTheProjectVersion) {
    for (const ProgramFile& program : ReleasedPrograms()) {
        ExpectManifest(program);
    }
}

// The update tests' newer main program is built from the same files with version 1.6:
// the one version source reaches the version text, the version resource and the manifest.
TEST(ProgramResources, TheNewerTestProgramCarriesItsOwnVersionEverywhere) {
    const ProgramFile served{"kelvaro_main_served.exe", "Kelvaro(x64).exe", {1, 6}};
    ExpectVersionResource(served);
    ExpectManifest(served);
}

// The pixels of one icon image as Windows loads it at `size`: its width, and whether any
// pixel is opaque (a picture that did not decode would be empty).
struct LoadedIcon {
    int width = 0;
    bool drawn = false;
};

LoadedIcon LoadIconOfSize(HMODULE module, int resource, int size) {
    LoadedIcon result;
    const auto icon = static_cast<HICON>(
        LoadImageA(module, MAKEINTRESOURCEA(resource), IMAGE_ICON, size, size, 0));
    if (icon == nullptr) return result;
    ICONINFO info{};
    if (GetIconInfo(icon, &info) && info.hbmColor != nullptr) {
        BITMAP bitmap{};
        GetObjectA(info.hbmColor, sizeof(bitmap), &bitmap);
        result.width = bitmap.bmWidth;
        BITMAPINFO format{};
        format.bmiHeader.biSize = sizeof(format.bmiHeader);
        format.bmiHeader.biWidth = bitmap.bmWidth;
        format.bmiHeader.biHeight = -bitmap.bmHeight;
        format.bmiHeader.biPlanes = 1;
        format.bmiHeader.biBitCount = 32;
        std::vector<uint32_t> pixels(static_cast<size_t>(bitmap.bmWidth) * bitmap.bmHeight);
        const HDC screen = GetDC(nullptr);
        GetDIBits(screen, info.hbmColor, 0, bitmap.bmHeight, pixels.data(), &format,
                  DIB_RGB_COLORS);
        ReleaseDC(nullptr, screen);
        for (uint32_t pixel : pixels) result.drawn = result.drawn || (pixel >> 24) == 0xFF;
    }
    if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
    if (info.hbmMask != nullptr) DeleteObject(info.hbmMask);
    DestroyIcon(icon);
    return result;
}

// The large images are stored PNG-compressed, the small ones as bitmaps: every size of
// every icon must load at its own size with its picture.
TEST(ProgramResources, EveryIconLoadsAtEachOfItsEightSizes) {
    const std::vector<std::pair<std::string, std::vector<int>>> programs = {
        {"Kelvaro(x64).exe", {1, 101, 102, 103, 104, 105}}, {"KelvaroUpdate.exe", {1}}};
    for (const auto& [file, icons] : programs) {
        const HMODULE module = LoadLibraryExA(test::PathNextToTestExe(file).c_str(), nullptr,
                                              LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(module, nullptr) << file;
        for (int resource : icons) {
            for (int size : {128, 96, 72, 64, 48, 32, 24, 16}) {
                const LoadedIcon icon = LoadIconOfSize(module, resource, size);
                EXPECT_EQ(icon.width, size) << file << " icon " << resource;
                EXPECT_TRUE(icon.drawn) << file << " icon " << resource << " at " << size;
            }
        }
        FreeLibrary(module);
    }
}

}  // namespace
}  // namespace kelvaro
