// The UI driver's programs, window lookups and input: starting a program in a folder of
// its own, finding its windows, and sending it commands, texts and real mouse clicks.
#include "support/ui_driver.h"

#include <filesystem>
#include <fstream>
#include <vector>

#include "support/remote_buffer_win.h"

namespace kelvaro::test {

namespace {

constexpr int kFolderRemovalTries = 50;   // Wine may hold the files of an ended program
constexpr int kFolderRemovalPauseMs = 100;  // for a moment after the process is gone
constexpr DWORD kTerminateWaitMs = 5000;
constexpr DWORD kClickPauseMs = 30;
constexpr int kCursorTries = 30;

std::string NewWorkingFolder() {
    char base[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, base);
    static int counter = 0;
    for (;;) {
        const std::string folder = std::string(base) + "kelvaro-e2e-" +
                                   std::to_string(GetCurrentProcessId()) + "-" +
                                   std::to_string(++counter);
        std::error_code error;
        if (std::filesystem::create_directory(folder, error)) return folder;
        if (error) return {};  // not a name clash: the temporary folder is unusable
    }
}

std::string FileNameOf(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

void RemoveFolderWithRetries(const std::string& folder) {
    for (int attempt = 0; attempt < kFolderRemovalTries; ++attempt) {
        std::error_code error;
        std::filesystem::remove_all(folder, error);
        if (!std::filesystem::exists(folder, error)) return;
        Sleep(kFolderRemovalPauseMs);
    }
}

struct ChildSearch {
    int controlId = 0;
    std::string className;
    std::string title;
    bool byClass = false;
    HWND found = nullptr;
};

BOOL CALLBACK MatchChild(HWND child, LPARAM param) {
    auto* search = reinterpret_cast<ChildSearch*>(param);
    const bool match =
        search->byClass
            ? lstrcmpiA(ClassName(child).c_str(), search->className.c_str()) == 0 &&
                  (search->title.empty() || WindowText(child) == search->title)
            : GetDlgCtrlID(child) == search->controlId;
    if (!match) return TRUE;
    search->found = child;
    return FALSE;
}

bool CursorIsAt(POINT target) {
    POINT cursor{};
    return GetCursorPos(&cursor) && cursor.x == target.x && cursor.y == target.y;
}

// Under Wine the X server reports pointer motion of its own (the pointer's start in the
// middle of the display when a window appears, and the echo of earlier moves) some
// milliseconds later, and that motion moves the cursor again. A click goes to wherever the
// cursor is, so the cursor must be seen to stay at the target before the buttons go down.
// A cursor that never settles fails the test here: a click elsewhere would show up later
// as an unrelated failure.
bool MoveCursorTo(POINT target) {
    for (int attempt = 0; attempt < kCursorTries; ++attempt) {
        SetCursorPos(target.x, target.y);
        Sleep(kClickPauseMs);
        if (!CursorIsAt(target)) continue;
        Sleep(kClickPauseMs);
        if (CursorIsAt(target)) return true;
    }
    POINT cursor{};
    GetCursorPos(&cursor);
    ADD_FAILURE() << "the cursor did not stay at (" << target.x << ", " << target.y
                  << ") in " << kCursorTries << " tries; it is at (" << cursor.x << ", "
                  << cursor.y << "); no click sent";
    return false;
}

void MouseButton(bool rightButton, bool down) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = rightButton ? (down ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP)
                                   : (down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP);
    SendInput(1, &input, sizeof(input));
}

}  // namespace

// ---- Programs -------------------------------------------------------------------------

ProgramUnderTest::ProgramUnderTest(const Options& options) : folder_(NewWorkingFolder()) {
    if (folder_.empty()) return;
    for (const auto& [name, bytes] : options.files) WriteFile(name, bytes);
    std::string exe = options.exePath;
    if (options.copyExeIntoFolder) {
        const std::string copy = FilePath(FileNameOf(exe));
        if (!CopyFileA(exe.c_str(), copy.c_str(), FALSE)) return;
        exe = copy;
    }
    std::string commandLine = "\"" + exe + "\"";
    if (!options.arguments.empty()) commandLine += " " + options.arguments;
    std::vector<char> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    // No creation flags: the child inherits our window station and desktop, so under Wine it
    // opens on the same virtual desktop as the test and its windows are visible to us.
    if (!CreateProcessA(exe.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder_.c_str(), &startup, &info)) {
        return;
    }
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    processId_ = info.dwProcessId;
}

ProgramUnderTest::~ProgramUnderTest() {
    if (process_ != nullptr) {
        if (IsRunning()) Terminate();
        CloseHandle(process_);
    }
    if (!folder_.empty()) RemoveFolderWithRetries(folder_);
}

std::string ProgramUnderTest::FilePath(const std::string& name) const {
    return folder_ + "\\" + name;
}

std::optional<std::string> ProgramUnderTest::ReadFile(const std::string& name) const {
    std::ifstream in(FilePath(name), std::ios::binary);
    if (!in) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void ProgramUnderTest::WriteFile(const std::string& name, const std::string& bytes) const {
    const std::string path = FilePath(name);
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

bool ProgramUnderTest::FileExists(const std::string& name) const {
    return GetFileAttributesA(FilePath(name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

HWND ProgramUnderTest::WaitForWindow(const std::string& title, int timeoutMs) const {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            const std::vector<HWND> windows = TopLevelWindows(processId_, title);
            found = windows.empty() ? nullptr : windows.front();
            return found != nullptr || !IsRunning();
        },
        timeoutMs);
    return found;
}

HWND ProgramUnderTest::WaitForShownWindow(const std::string& title, int timeoutMs) const {
    const HWND window = WaitForWindow(title, timeoutMs);
    if (window == nullptr) return nullptr;
    WaitUntil([&] { return IsWindowVisible(window) != FALSE; });
    return window;
}

std::optional<DWORD> ProgramUnderTest::WaitForExit(int timeoutMs) const {
    if (process_ == nullptr) return std::nullopt;
    if (WaitForSingleObject(process_, static_cast<DWORD>(timeoutMs)) != WAIT_OBJECT_0) {
        return std::nullopt;
    }
    DWORD code = 0;
    if (!GetExitCodeProcess(process_, &code)) return std::nullopt;
    return code;
}

bool ProgramUnderTest::IsRunning() const {
    return process_ != nullptr && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

void ProgramUnderTest::Terminate() {
    if (process_ == nullptr) return;
    TerminateProcess(process_, 1);
    WaitForSingleObject(process_, kTerminateWaitMs);
}

std::string PathNextToTestExe(const std::string& fileName) {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string own(path, length);
    const size_t slash = own.find_last_of("\\/");
    return (slash == std::string::npos ? std::string() : own.substr(0, slash + 1)) + fileName;
}

// ---- Windows --------------------------------------------------------------------------

std::vector<HWND> TopLevelWindows(DWORD processId, const std::string& title,
                                  const std::string& className) {
    struct Search {
        DWORD processId;
        const std::string& title;
        const std::string& className;
        std::vector<HWND> found;
    } search{processId, title, className, {}};
    // EnumWindows walks the top-level windows in z-order, topmost first.
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner != s->processId) return TRUE;
            if (!s->title.empty() && WindowText(window) != s->title) return TRUE;
            if (!s->className.empty() &&
                lstrcmpiA(ClassName(window).c_str(), s->className.c_str()) != 0) {
                return TRUE;
            }
            s->found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND ChildById(HWND parent, int controlId) {
    ChildSearch search;
    search.controlId = controlId;
    // EnumChildWindows visits grandchildren too.
    EnumChildWindows(parent, MatchChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND ChildByClass(HWND parent, const std::string& className, const std::string& title) {
    ChildSearch search;
    search.byClass = true;
    search.className = className;
    search.title = title;
    EnumChildWindows(parent, MatchChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string WindowText(HWND window) {
    // WM_GETTEXT is marshalled between processes by the system, unlike control messages.
    const LRESULT length = SendWithTimeout(window, WM_GETTEXTLENGTH);
    if (length <= 0) return {};
    std::vector<char> text(static_cast<size_t>(length) + 1, '\0');
    const LRESULT copied = SendWithTimeout(window, WM_GETTEXT, text.size(),
                                           reinterpret_cast<LPARAM>(text.data()));
    return std::string(text.data(), static_cast<size_t>(copied > 0 ? copied : 0));
}

std::string ClassName(HWND window) {
    char name[256] = {};
    const int length = GetClassNameA(window, name, sizeof(name));
    return std::string(name, length > 0 ? length : 0);
}

bool IsTopmost(HWND window) {
    return (GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

RECT ClientRectOnScreen(HWND window) {
    RECT rect{};
    GetClientRect(window, &rect);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

SIZE ClientSize(HWND window) {
    RECT rect{};
    GetClientRect(window, &rect);
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

RECT RectInParent(HWND control, HWND parent) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, parent != nullptr ? parent : GetParent(control),
                    reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

::testing::AssertionResult IsCentredOnOwner(HWND window, HWND owner, SIZE inner) {
    if (GetWindow(window, GW_OWNER) != owner) {
        return ::testing::AssertionFailure() << "the window has another owner";
    }
    const SIZE size = ClientSize(window);
    if (size.cx != inner.cx || size.cy != inner.cy) {
        return ::testing::AssertionFailure() << "inner size " << size.cx << " x " << size.cy;
    }
    RECT outer{};
    RECT owners{};
    GetWindowRect(window, &outer);
    GetWindowRect(owner, &owners);
    const long dx = (outer.left + outer.right) / 2 - (owners.left + owners.right) / 2;
    const long dy = (outer.top + outer.bottom) / 2 - (owners.top + owners.bottom) / 2;
    if (dx < -1 || dx > 1 || dy < -1 || dy > 1) {
        return ::testing::AssertionFailure() << "centre off the owner's by " << dx << ", " << dy;
    }
    return ::testing::AssertionSuccess();
}

// ---- Input ----------------------------------------------------------------------------

void PostCommand(HWND window, int commandId) {
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(commandId, 0), 0);
}

void PostControlCommand(HWND parent, int controlId, int notifyCode, HWND control) {
    PostMessageA(parent, WM_COMMAND, MAKEWPARAM(controlId, notifyCode),
                 reinterpret_cast<LPARAM>(control));
}

void ClickButton(HWND button) { PostMessageA(button, BM_CLICK, 0, 0); }

void SetText(HWND window, const std::string& text) {
    SendWithTimeout(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

LRESULT SendAndWait(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return SendWithTimeout(window, message, wParam, lParam);
}

void MouseClickAt(POINT screen, bool rightButton, bool doubleClick) {
    if (!MoveCursorTo(screen)) return;
    for (int click = 0; click < (doubleClick ? 2 : 1); ++click) {
        MouseButton(rightButton, true);
        MouseButton(rightButton, false);
    }
    Sleep(kClickPauseMs);
}

void MouseClickInWindow(HWND window, POINT client, bool rightButton) {
    ClientToScreen(window, &client);
    MouseClickAt(client, rightButton);
}

void PostClose(HWND window) { PostMessageA(window, WM_CLOSE, 0, 0); }

}  // namespace kelvaro::test
