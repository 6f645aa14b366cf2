// Shell links through IShellLinkW and IPersistFile, and special folders through the shell.
#include "shell/shortcut_win.h"

#include <windows.h>
#include <objidl.h>
#include <shlobj.h>

#include <vector>

#include "common/busy_retry.h"
#include "common/file_io_win.h"
#include "common/scoped_win.h"

namespace kelvaro {
namespace {

// The link object takes UTF-16 only; the program's texts are ANSI.
std::wstring Wide(const std::string& ansi) {
    if (ansi.empty()) return {};
    const int length =
        MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
    if (length <= 0) return {};
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(), length);
    return wide;
}

void SetLinkProperties(IShellLinkW& link, const ShortcutProperties& properties) {
    link.SetPath(Wide(properties.target).c_str());
    link.SetArguments(Wide(properties.arguments).c_str());
    link.SetWorkingDirectory(Wide(properties.workingFolder).c_str());
    link.SetDescription(Wide(properties.description).c_str());
    link.SetShowCmd(properties.showCommand);
    link.SetHotkey(properties.hotKey);
    link.SetIconLocation(Wide(properties.iconFile).c_str(), properties.iconIndex);
}

// Saving over a link that another program has open fails with a sharing violation until it
// lets go: after a save, the shell's menu builder opens the new link to read it.
bool SaveLink(IPersistFile& file, const std::wstring& path) {
    return RetryWhileBusy([&] {
        const HRESULT saved = file.Save(path.c_str(), TRUE);
        if (SUCCEEDED(saved)) return AttemptOutcome::Done;
        if (HRESULT_FACILITY(saved) != FACILITY_WIN32) return AttemptOutcome::Failed;
        return OutcomeOfFileError(HRESULT_CODE(saved));
    });
}

}  // namespace

int CreateShortcut(const ShortcutProperties& requested) {
    const ShortcutProperties properties = WithShortcutDefaults(requested);
    // The program's thread normally has COM already (S_FALSE); the call is balanced either
    // way, and skipped for the balance when COM refused.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    int result = 0;
    {
        ComPtr<IShellLinkW> link;
        if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                       IID_IShellLinkW, link.put()))) {
            SetLinkProperties(*link.get(), properties);
            ComPtr<IPersistFile> file;
            if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, file.put()))) {
                result = SaveLink(*file.get(), Wide(properties.linkFile)) ? 1 : 0;
            }
        }
    }
    if (SUCCEEDED(com)) CoUninitialize();
    return result;
}

int RemoveShortcut(const std::string& linkFile) {
    return DeleteFileWhenReleased(linkFile) ? 1 : 0;
}

std::string GetSpecialFolderPath(int csidl) {
    LPITEMIDLIST items = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &items)) || items == nullptr) return {};
    std::vector<char> path(2048, '\0');
    const bool named = SHGetPathFromIDListA(items, path.data()) != FALSE && path[0] != '\0';
    CoTaskMemFree(items);
    if (!named) return {};
    return std::string(path.data()) + "\\";
}

}  // namespace kelvaro
