// ECDSA P-256 signature checks with the system's cryptography: BCryptVerifySignature on
// Windows, OpenSSL's libcrypto in the native build.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "signing/sha256.h"

namespace kelvaro::signing {

// The public point: X then Y, 32 bytes each, big-endian.
using P256PublicKey = std::array<uint8_t, 64>;

// A signature is r then s, 32 bytes each, big-endian.
inline constexpr size_t kP256SignatureSize = 64;

// True when `signature` is a valid signature of `digest` (a SHA-256) by `key`. Anything
// but exactly 64 signature bytes is refused here, before the system sees it: Wine's bcrypt
// halves whatever length it is given without checking it.
bool VerifyP256Signature(const P256PublicKey& key, const Sha256Digest& digest,
                         std::string_view signature);

}  // namespace kelvaro::signing
