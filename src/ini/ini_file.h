// The settings file's handle while it is open: read whole at opening, written back whole
// at closing, and held meanwhile so that other programs may read it but not write it.
#pragma once

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

    // Writes the bytes from the file's start in one piece, then cuts the file to their
    // length. A failed write is not followed by the cut. False on any failure.
    bool Replace(std::string_view bytes);

    void Close();

private:
    void* handle_ = nullptr;  // HANDLE on Windows, std::FILE* elsewhere
    bool writable_ = false;
};

}  // namespace kelvaro
