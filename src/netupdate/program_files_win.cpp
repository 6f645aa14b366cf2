// The program files of the update path over Win32: the running program's folder, full
// paths and version resources.
#include "netupdate/program_files.h"

#include <windows.h>

#include <vector>

namespace kelvaro {
namespace {

// GetModuleFileNameA cuts a long path silently, so the buffer grows until it fits.
std::string OwnProgramPath() {
    std::vector<char> path(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) return std::string(path.data(), length);
        if (path.size() >= 32768) return {};
        path.resize(path.size() * 2);
    }
}

}  // namespace

std::string BesideOwnProgram(const std::string& fileName) {
    const std::string own = OwnProgramPath();
    const size_t separator = own.find_last_of("\\/");
    if (separator == std::string::npos) return {};
    return own.substr(0, separator + 1) + fileName;
}

std::string FullPathOf(const std::string& path) {
    const DWORD needed = GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0) return {};
    std::vector<char> full(needed);
    const DWORD length = GetFullPathNameA(path.c_str(), needed, full.data(), nullptr);
    if (length == 0 || length >= needed) return {};
    return std::string(full.data(), length);
}

std::string ProgramFileVersion(const std::string& path) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
    if (size == 0) return {};
    std::vector<char> info(size);
    if (!GetFileVersionInfoA(path.c_str(), 0, size, info.data())) return {};
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length) ||
        fixed == nullptr || length < sizeof(VS_FIXEDFILEINFO) ||
        fixed->dwSignature != VS_FFI_SIGNATURE) {
        return {};
    }
    return std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." +
           std::to_string(LOWORD(fixed->dwFileVersionMS));
}

}  // namespace kelvaro
