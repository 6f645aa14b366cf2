// Window enumeration through EnumWindows, EnumChildWindows and Tool Help module snapshots,
// and the readers of window texts, states and small file icons.
#include "inspector/window_system_win.h"

#include <windows.h>

#include <shellapi.h>
#include <tlhelp32.h>

#include <cstring>
#include <optional>
#include <utility>
#include <vector>

#include "common/scoped_win.h"
#include "inspector/window_tree.h"
#include "ui/dpi_win.h"

namespace kelvaro {
namespace {

// The ANSI forms: the wide ones are larger.
static_assert(sizeof(MODULEENTRY32) == 568, "Module32First needs the ANSI entry");
static_assert(sizeof(SHFILEINFOA) == 360, "SHGetFileInfoA needs the ANSI structure");

constexpr int kClassNameCapacity = 1024;
constexpr int kShortTitleCapacity = 256;
// Tool Help fails with ERROR_BAD_LENGTH while the process is loading or unloading a
// module; a new snapshot then usually succeeds.
constexpr int kModuleSnapshotAttempts = 3;

BOOL CALLBACK OnTopLevelWindow(HWND window, LPARAM context) {
    const auto& visit = *reinterpret_cast<const std::function<void(WindowHandle)>*>(context);
    visit(FromHwnd(window));
    return TRUE;  // one failing window never ends the walk
}

BOOL CALLBACK OnDescendantWindow(HWND window, LPARAM context) {
    reinterpret_cast<std::vector<WindowHandle>*>(context)->push_back(FromHwnd(window));
    return TRUE;
}

void ForEachTopLevelWindow(const std::function<void(WindowHandle)>& visit) {
    EnumWindows(OnTopLevelWindow, reinterpret_cast<LPARAM>(&visit));
}

std::uint32_t OwningProcessId(WindowHandle window) {
    DWORD processId = 0;
    if (GetWindowThreadProcessId(ToHwnd(window), &processId) == 0) return 0;
    return processId;
}

std::optional<std::string> FirstModulePath(std::uint32_t processId) {
    ScopedHandle snapshot;
    for (int attempt = 0; attempt < kModuleSnapshotAttempts && !snapshot; ++attempt) {
        snapshot.reset(CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId));
        if (!snapshot && GetLastError() != ERROR_BAD_LENGTH) break;
    }
    if (!snapshot) return std::nullopt;
    MODULEENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    if (!Module32First(snapshot.get(), &entry)) return std::nullopt;
    return std::string(entry.szExePath, strnlen(entry.szExePath, sizeof(entry.szExePath)));
}

void AppendDescendants(WindowHandle window, std::vector<WindowHandle>& out) {
    EnumChildWindows(ToHwnd(window), OnDescendantWindow, reinterpret_cast<LPARAM>(&out));
}

IconHandle SmallFileIcon(const std::string& path) {
    return NarrowIcon(GetSmallFileIcon(path));
}

// Class names by class atom for the windows of one tree build. Another process's window
// answers its class atom with one request to the window server but its class name with
// two (the atom, then the atom's name), and the windows of a build share a few dozen
// classes. An atom names one class name for as long as a class holds it, so within one
// build the name read for the first window of an atom is the name of every other.
class ClassNamesByAtom {
public:
    std::string Read(WindowHandle window) {
        const auto atom = static_cast<ATOM>(GetClassWord(ToHwnd(window), GCW_ATOM));
        if (atom == 0) return ReadWindowClass(window);
        for (const auto& [known, name] : names_) {
            if (known == atom) return name;
        }
        std::string name = ReadWindowClass(window);
        // A window that went away in between gives no name, which says nothing of the atom.
        if (!name.empty()) names_.emplace_back(atom, name);
        return name;
    }

private:
    std::vector<std::pair<ATOM, std::string>> names_;
};

}  // namespace

IconHandle NarrowIcon(HICON icon) {
    const auto wide = reinterpret_cast<std::intptr_t>(icon);
    const auto narrow = static_cast<IconHandle>(wide);
    if (static_cast<std::intptr_t>(narrow) != wide) {
        DestroyIcon(icon);
        return 0;
    }
    return narrow;
}

void ReleaseIcon(IconHandle icon) {
    if (icon != 0) DestroyIcon(WidenIcon(icon));
}

const WindowServices& SystemWindowServices() {
    static const WindowServices services{ForEachTopLevelWindow, OwningProcessId, FirstModulePath,
                                         AppendDescendants, SmallFileIcon};
    return services;
}

void EnumerateWindows() {
    EnumerateWindows(ProgramApplications(), SystemWindowServices());
}

void ClearApplications() {
    ClearApplications(ProgramApplications(), ReleaseIcon);
}

std::string ReadWindowTitle(WindowHandle window) {
    const HWND hwnd = ToHwnd(window);
    // Most titles fit a small buffer. Reading them at once spares the length query, a
    // round trip to the window server per window that dominates the tree build; a title
    // that may have been cut short is read again at its full length. On a double-byte
    // code page a character that does not fit whole is left out, so a cut title can end
    // one byte before the buffer's last place.
    char shortTitle[kShortTitleCapacity] = {};
    if (GetWindowTextA(hwnd, shortTitle, kShortTitleCapacity) < kShortTitleCapacity - 2) {
        return std::string(shortTitle, strnlen(shortTitle, sizeof(shortTitle)));
    }
    const int length = GetWindowTextLengthA(hwnd);
    if (length < 0) return {};
    std::string title(static_cast<size_t>(length) + 1, '\0');
    GetWindowTextA(hwnd, title.data(), length + 1);
    title.resize(std::strlen(title.c_str()));
    return title;
}

std::string ReadWindowClass(WindowHandle window) {
    // The system writes nothing for a window that is gone: the zeroed buffer reads as "".
    char name[kClassNameCapacity] = {};
    GetClassNameA(ToHwnd(window), name, kClassNameCapacity);
    return std::string(name, strnlen(name, sizeof(name)));
}

std::string ReadWindowNodeText(WindowHandle window) {
    return FormatWindowNodeText(ReadWindowTitle(window), ReadWindowClass(window));
}

HICON GetSmallFileIcon(const std::string& path) {
    SHFILEINFOA info{};
    if (SHGetFileInfoA(path.c_str(), FILE_ATTRIBUTE_NORMAL, &info, sizeof(info),
                       SHGFI_ICON | SHGFI_SMALLICON) == 0) {
        return nullptr;
    }
    return info.hIcon;
}

WindowFacts ReadWindowFacts(WindowHandle window) {
    const HWND hwnd = ToHwnd(window);
    WindowFacts facts;
    facts.Title = ReadWindowTitle(window);
    facts.ClassName = ReadWindowClass(window);
    facts.Handle = window;
    facts.Minimized = IsIconic(hwnd) != FALSE;
    facts.Enabled = IsWindowEnabled(hwnd) != FALSE;
    facts.Visible = IsWindowVisible(hwnd) != FALSE;
    // Another program's window in its physical pixels, whatever that program's awareness:
    // an unaware one would otherwise be reported in its virtualised coordinates.
    const PhysicalPixelsScope physical;
    RECT rect{};
    facts.HasRectangle = GetWindowRect(hwnd, &rect) != FALSE;
    if (facts.HasRectangle) {
        facts.Left = rect.left;
        facts.Top = rect.top;
        facts.Right = rect.right;
        facts.Bottom = rect.bottom;
    }
    return facts;
}

void BuildProgramWindowTree() {
    ClassNamesByAtom classes;
    BuildWindowTreeModel(
        ProgramApplications(),
        [&classes](WindowHandle window) {
            return FormatWindowNodeText(ReadWindowTitle(window), classes.Read(window));
        },
        ProgramWindowTree());
}

}  // namespace kelvaro
