// Reading shell links through the shell's own link object.
#include "support/shell_link_win.h"

#include <windows.h>
#include <objidl.h>
#include <shlobj.h>

#include <vector>

namespace kelvaro::test {
namespace {

std::string Ansi(const wchar_t* wide) {
    const int length = WideCharToMultiByte(CP_ACP, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (length <= 1) return {};
    std::string text(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide, -1, text.data(), length, nullptr, nullptr);
    text.resize(static_cast<size_t>(length - 1));
    return text;
}

std::wstring Wide(const std::string& ansi) {
    const int length = MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, nullptr, 0);
    if (length <= 1) return {};
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, wide.data(), length);
    wide.resize(static_cast<size_t>(length - 1));
    return wide;
}

std::optional<ShellLinkInfo> Read(IShellLinkW* link, const std::string& linkPath) {
    IPersistFile* file = nullptr;
    if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        return std::nullopt;
    }
    const HRESULT loaded = file->Load(Wide(linkPath).c_str(), STGM_READ);
    file->Release();
    if (FAILED(loaded)) return std::nullopt;

    ShellLinkInfo info;
    std::vector<wchar_t> buffer(4096, L'\0');
    const int size = static_cast<int>(buffer.size());
    // The path as stored, without the shell's resolving (SLGP_RAWPATH).
    if (SUCCEEDED(link->GetPath(buffer.data(), size, nullptr, SLGP_RAWPATH))) {
        info.target = Ansi(buffer.data());
    }
    buffer[0] = L'\0';
    if (SUCCEEDED(link->GetWorkingDirectory(buffer.data(), size))) {
        info.workingFolder = Ansi(buffer.data());
    }
    buffer[0] = L'\0';
    if (SUCCEEDED(link->GetArguments(buffer.data(), size))) info.arguments = Ansi(buffer.data());
    buffer[0] = L'\0';
    if (SUCCEEDED(link->GetDescription(buffer.data(), size))) {
        info.description = Ansi(buffer.data());
    }
    link->GetShowCmd(&info.showCommand);
    WORD hotKey = 0;
    if (SUCCEEDED(link->GetHotkey(&hotKey))) info.hotKey = hotKey;
    buffer[0] = L'\0';
    if (SUCCEEDED(link->GetIconLocation(buffer.data(), size, &info.iconIndex))) {
        info.iconFile = Ansi(buffer.data());
    }
    return info;
}

}  // namespace

std::optional<ShellLinkInfo> ReadShellLink(const std::string& linkPath) {
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    std::optional<ShellLinkInfo> info;
    IShellLinkW* link = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void**>(&link)))) {
        info = Read(link, linkPath);
        link->Release();
    }
    if (SUCCEEDED(com)) CoUninitialize();
    return info;
}

std::string StartupFolder() {
    char path[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathA(nullptr, path, CSIDL_STARTUP, FALSE) || path[0] == '\0') return {};
    return std::string(path) + "\\";
}

}  // namespace kelvaro::test
