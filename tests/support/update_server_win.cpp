// A private nginx serving the update files of the update tests.
#include "support/update_server_win.h"

#include <winsock.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <vector>

#include "netupdate/netupdate.h"
#include "netupdate/update_base_url.h"
#include "netupdate/url.h"

namespace kelvaro::test {
namespace {

constexpr int kPollMs = 50;
constexpr int kStartTimeoutMs = 10000;
constexpr int kStopTimeoutMs = 10000;

std::optional<net::UrlParts> BaseUrlParts() {
    return net::SplitUrl(UpdateBaseUrl());
}

// The path part of the base URL, "Kelvaro/" in every build.
std::string ServedFolder() {
    const auto parts = BaseUrlParts();
    return parts ? parts->path : std::string();
}

std::string OwnFolder() {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string own(path, length);
    return own.substr(0, own.find_last_of("\\/"));
}

// Wine's own mapping of a Windows path to the Linux one; empty outside Wine.
std::string UnixPathOf(const std::string& windowsPath) {
    using ToUnix = char*(CDECL*)(LPCWSTR);
    const auto toUnix = reinterpret_cast<ToUnix>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (toUnix == nullptr) return {};
    const int size = MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, nullptr, 0);
    std::wstring wide(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide.data(), size);
    char* unix = toUnix(wide.c_str());
    if (unix == nullptr) return {};
    std::string result(unix);
    HeapFree(GetProcessHeap(), 0, unix);
    return result;
}

bool FileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void WriteWhole(const std::string& path, const std::string& bytes) {
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A single-process nginx that runs as the user who starts it and writes only under its
// folder (@W@).
constexpr char kConfigTemplate[] = R"(daemon off;
master_process off;
worker_processes 1;
pid @W@/nginx.pid;
error_log @W@/error.log warn;
events {
    worker_connections 64;
}
http {
    access_log @W@/access.log;
    client_body_temp_path @W@/tmp/body;
    proxy_temp_path @W@/tmp/proxy;
    fastcgi_temp_path @W@/tmp/fastcgi;
    uwsgi_temp_path @W@/tmp/uwsgi;
    scgi_temp_path @W@/tmp/scgi;
    default_type application/octet-stream;
    server {
        listen @LISTEN@;
        root @W@/www;
    }
}
)";

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
    for (size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

std::string Config(const std::string& folder, const std::string& host, uint16_t port) {
    return ReplaceAll(ReplaceAll(kConfigTemplate, "@W@", folder), "@LISTEN@",
                      host + ":" + std::to_string(port));
}

}  // namespace

UpdateServer::UpdateServer(const std::string& name) {
    WSADATA data{};
    WSAStartup(0x0101, &data);
    // build/<preset>/bin/<test>.exe -> build/<preset>/update-server/<name>
    const std::string bin = OwnFolder();
    folder_ = bin.substr(0, bin.find_last_of("\\/")) + "\\update-server\\" + name;
    std::error_code ignored;
    std::filesystem::create_directories(folder_ + "\\tmp", ignored);
    std::filesystem::create_directories(folder_ + "\\www", ignored);
    unixFolder_ = UnixPathOf(folder_);
    for (const char* candidate : {"/usr/sbin/nginx", "/usr/bin/nginx", "/usr/local/sbin/nginx"}) {
        if (FileExists("Z:" + std::string(candidate))) {
            nginx_ = candidate;
            break;
        }
    }
}

UpdateServer::~UpdateServer() {
    Stop();
    WSACleanup();
}

std::string UpdateServer::Host() {
    const auto parts = BaseUrlParts();
    return parts ? parts->host : std::string();
}

uint16_t UpdateServer::Port() {
    const auto parts = BaseUrlParts();
    return parts ? parts->port : 0;
}

bool UpdateServer::BaseUrlIsLocal() {
    return Host().rfind("127.", 0) == 0 && !ServedFolder().empty();
}

bool UpdateServer::Start(int portWaitMs) {
    error_.clear();
    if (running_) return true;
    if (!BaseUrlIsLocal()) {
        error_ = "the update base URL " + UpdateBaseUrl() + " does not name 127.x.x.x";
        return false;
    }
    if (nginx_.empty() || unixFolder_.empty()) {
        error_ = nginx_.empty() ? "nginx is not installed" : "not running under Wine";
        return false;
    }
    StopStale();
    const DWORD waitStart = GetTickCount();
    while (PortTaken()) {
        if (GetTickCount() - waitStart > static_cast<DWORD>(portWaitMs)) {
            error_ = "another program keeps listening on port " + std::to_string(Port());
            return false;
        }
        Sleep(500);
    }
    WriteWhole(folder_ + "\\nginx.conf", Config(unixFolder_, Host(), Port()));
    WriteWhole(folder_ + "\\access.log", "");
    const std::string probeName =
        "probe-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount());
    WriteWhole(folder_ + "\\www\\" + probeName, probeName);
    // The shell takes its three standard streams off ctest's pipes, so that nothing of the
    // test's output is held open by the server.
    RunShell("exec '" + nginx_ + "' -p '" + unixFolder_ + "/' -c '" + unixFolder_ +
             "/nginx.conf' -e '" + unixFolder_ + "/error.log' </dev/null >/dev/null 2>&1");
    const DWORD start = GetTickCount();
    while (!Answers(probeName, probeName)) {
        if (GetTickCount() - start > static_cast<DWORD>(kStartTimeoutMs)) {
            DeleteFileA((folder_ + "\\www\\" + probeName).c_str());
            running_ = WaitForPidFile(true, 0);
            Stop();
            error_ = "nginx did not come up on " + Host() + ":" + std::to_string(Port()) +
                     "; its log: " + ReadWhole(folder_ + "\\error.log");
            return false;
        }
        Sleep(kPollMs);
    }
    DeleteFileA((folder_ + "\\www\\" + probeName).c_str());
    running_ = true;
    return true;
}

void UpdateServer::Stop() {
    if (!running_) return;
    running_ = false;
    RunShell("exec '" + nginx_ + "' -s stop -p '" + unixFolder_ + "/' -c '" + unixFolder_ +
             "/nginx.conf' </dev/null >/dev/null 2>&1");
    WaitForPidFile(false, kStopTimeoutMs);
    const DWORD start = GetTickCount();
    while (PortTaken() && GetTickCount() - start < static_cast<DWORD>(kStopTimeoutMs)) {
        Sleep(kPollMs);
    }
}

// A server left behind by a test program that did not get to its end.
void UpdateServer::StopStale() const {
    if (!WaitForPidFile(true, 0) || nginx_.empty()) return;
    RunShell("exec '" + nginx_ + "' -s stop -p '" + unixFolder_ + "/' -c '" + unixFolder_ +
             "/nginx.conf' </dev/null >/dev/null 2>&1");
    if (!WaitForPidFile(false, kStopTimeoutMs)) DeleteFileA((folder_ + "\\nginx.pid").c_str());
}

bool UpdateServer::WaitForPidFile(bool present, int timeoutMs) const {
    const std::string pid = folder_ + "\\nginx.pid";
    const DWORD start = GetTickCount();
    for (;;) {
        if (FileExists(pid) == present) return true;
        if (GetTickCount() - start >= static_cast<DWORD>(timeoutMs)) return false;
        Sleep(kPollMs);
    }
}

// Wine hands a Linux program to the Linux loader; the process it reports is not the
// program's, so nothing is waited for here.
bool UpdateServer::RunShell(const std::string& script) const {
    std::string line = "Z:\\bin\\sh -c \"" + script + "\"";
    std::vector<char> buffer(line.begin(), line.end());
    buffer.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started{};
    if (!CreateProcessA(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &started)) {
        return false;
    }
    if (started.hThread != nullptr) CloseHandle(started.hThread);
    if (started.hProcess != nullptr) CloseHandle(started.hProcess);
    return true;
}

bool UpdateServer::PortTaken() const {
    const SOCKET probe = socket(AF_INET, SOCK_STREAM, 0);
    if (probe == INVALID_SOCKET) return false;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(Port());
    address.sin_addr.s_addr = inet_addr(Host().c_str());
    const bool connected =
        connect(probe, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0;
    closesocket(probe);
    return connected;
}

// The probe file comes back from this server, not from another one on the same port.
bool UpdateServer::Answers(const std::string& probeName, const std::string& probeBytes) const {
    const std::string target = folder_ + "\\probe.out";
    const std::string url = "http://" + Host() + ":" + std::to_string(Port()) + "/" + probeName;
    DeleteFileA(target.c_str());
    const bool ok =
        DownloadToFile(url.c_str(), target.c_str()) > 0 && ReadWhole(target) == probeBytes;
    DeleteFileA(target.c_str());
    return ok;
}

void UpdateServer::Serve(const std::string& name, const std::string& bytes) const {
    WriteWhole(folder_ + "\\www\\" + ServedFolder() + name, bytes);
}

void UpdateServer::ServeSized(const std::string& name, uint64_t size) const {
    const std::string path = folder_ + "\\www\\" + ServedFolder() + name;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    // Setting the end without writing leaves a hole: Wine cuts the Unix file to that length.
    LARGE_INTEGER end;
    end.QuadPart = static_cast<LONGLONG>(size);
    SetFilePointerEx(file, end, nullptr, FILE_BEGIN);
    SetEndOfFile(file);
    CloseHandle(file);
}

void UpdateServer::Withdraw(const std::string& name) const {
    DeleteFileA((folder_ + "\\www\\" + ServedFolder() + name).c_str());
}

void UpdateServer::WithdrawAll() const {
    std::error_code ignored;
    std::filesystem::remove_all(folder_ + "\\www\\" + ServedFolder(), ignored);
}

std::string UpdateServer::AccessLog() const {
    return ReadWhole(folder_ + "\\access.log");
}

}  // namespace kelvaro::test
