// The settings file's handle while it is open: read whole at opening, written back whole
// at closing, and held meanwhile so that other programs may read it but not write it.
// The write-back goes through a temporary file beside it that takes the old file's place
// in one step once it is complete on the disk, so a crash, a power cut or a full disk
// leaves either the old file or the new one, whole.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace kelvaro {

class IniFile {
public:
    IniFile() = default;
    ~IniFile() { Close(); }
    IniFile(const IniFile&) = delete;
    IniFile& operator=(const IniFile&) = delete;

    // Opens an existing file for reading and writing, or for reading only when writing is
    // refused (no write access, or another program holds it open for writing), and reads
    // it whole. False when it cannot be opened or read; a missing file is never created.
    bool Open(const std::string& name, std::string& contents);

    bool IsOpen() const { return handle_ != nullptr; }
    bool IsWritable() const { return writable_; }

    // Writes the bytes into the temporary file (the file's name and ".tmp"), flushes it
    // and puts it in the file's place, which also closes the file. False on any failure;
    // then the old file is unchanged and the temporary file removed.
    bool Replace(std::string_view bytes);

    void Close();

    // Runs between the temporary file's completion and the swap: tests end the process
    // there, as a crash would.
    static void SetBeforeSwapHook(std::function<void()> hook);

private:
    static std::string TempNameFor(const std::string& name) { return name + ".tmp"; }
    static void RunBeforeSwapHook();

    void* handle_ = nullptr;  // HANDLE on Windows, std::FILE* elsewhere
    bool writable_ = false;
    std::string name_;
};

}  // namespace kelvaro
