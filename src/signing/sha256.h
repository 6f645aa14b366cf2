// SHA-256 from the system's cryptography (CNG on Windows, OpenSSL's libcrypto in the
// native build): the digest of the signed part of the update manifest, and of a download
// while it is written.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace kelvaro::signing {

using Sha256Digest = std::array<uint8_t, 32>;

// A digest built up piece by piece. When the system cannot provide the hash, Finish
// fails: a caller never takes an unhashed body for a checked one.
class Sha256 {
public:
    Sha256();
    ~Sha256();
    Sha256(const Sha256&) = delete;
    Sha256& operator=(const Sha256&) = delete;

    void Update(const void* data, size_t size);
    // The digest of everything added; false when hashing failed at any point. Once only.
    bool Finish(Sha256Digest& digest);

private:
    struct State;
    State* state_ = nullptr;
    bool failed_ = false;
};

std::optional<Sha256Digest> Sha256Of(std::string_view bytes);

}  // namespace kelvaro::signing
