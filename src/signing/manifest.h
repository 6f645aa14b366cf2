// The update manifest "KelvaroUpdate.sig": a signed text beside the update files that
// binds the program version, the definitions count and each served file's size and SHA-256,
// so that whoever sits between a user and the update server cannot change what the
// programs install. CR LF lines, at most 8 KiB:
//
//     KelvaroUpdate-Signatur 1
//     key <id>
//     version <major>.<minor>
//     definitions <count>
//     file <name> <size> <sha256 in hex>          (one or more)
//     signature <r || s in hex, 64 bytes>
//
// The signature (ECDSA P-256) covers the SHA-256 of every byte before the signature line.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "signing/p256.h"
#include "signing/sha256.h"
#include "signing/update_keys.h"

namespace kelvaro::signing {

inline constexpr const char* kManifestFileName = "KelvaroUpdate.sig";
inline constexpr size_t kManifestMaxBytes = 8192;
inline constexpr size_t kManifestMaxLine = 256;  // without its CR LF
inline constexpr size_t kManifestMaxFiles = 16;

struct ManifestFile {
    std::string name;
    int32_t size = 0;
    Sha256Digest sha256{};
};

struct Manifest {
    std::string keyId;
    std::string version;  // as written: digits, a dot, digits
    int32_t definitions = 0;
    std::vector<ManifestFile> files;
    size_t signedLength = 0;  // the bytes the signature covers, from the start
    std::array<uint8_t, kP256SignatureSize> signature{};

    const ManifestFile* FindFile(std::string_view name) const;
};

enum class ManifestFault {
    None,
    TooLong,        // more than 8 KiB, or a line longer than its limit
    LineEnd,        // a CR or LF that is not part of a CR LF, or a last line without one
    UnknownFormat,  // the first line is not "KelvaroUpdate-Signatur 1"
    Layout,         // a line missing, doubled, unknown, out of order, or after the signature
    Field,          // a value that is not as the format writes it
    SignatureSize,  // a signature of other than 64 bytes
    UnknownKey,     // signed by a key this build does not know
    BadSignature,   // the signature does not match
};

// Reads the manifest's lines and fields; the signature is not checked.
ManifestFault ParseManifest(std::string_view bytes, Manifest& manifest);

// Reads the manifest and checks its signature with the key its key line names.
ManifestFault CheckSignedManifest(std::string_view bytes, const UpdateKeys& keys,
                                  Manifest& manifest);

}  // namespace kelvaro::signing
