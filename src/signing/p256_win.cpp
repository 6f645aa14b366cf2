// ECDSA P-256 checks over CNG (bcrypt.dll): the point as a BCRYPT_ECCKEY_BLOB, the
// signature as raw r || s, which is what BCryptVerifySignature takes.
#include <windows.h>
#include <bcrypt.h>

#include <cstring>

#include "signing/p256.h"

namespace kelvaro::signing {
namespace {

// Closes what was opened, on every path.
struct ProviderAndKey {
    BCRYPT_ALG_HANDLE algorithm = nullptr;
    BCRYPT_KEY_HANDLE key = nullptr;
    ~ProviderAndKey() {
        if (key != nullptr) BCryptDestroyKey(key);
        if (algorithm != nullptr) BCryptCloseAlgorithmProvider(algorithm, 0);
    }
};

bool ImportPublicKey(const P256PublicKey& point, ProviderAndKey& handles) {
    if (BCryptOpenAlgorithmProvider(&handles.algorithm, BCRYPT_ECDSA_P256_ALGORITHM, nullptr, 0) <
        0) {
        return false;
    }
    unsigned char blob[sizeof(BCRYPT_ECCKEY_BLOB) + 64];
    BCRYPT_ECCKEY_BLOB head{};
    head.dwMagic = BCRYPT_ECDSA_PUBLIC_P256_MAGIC;
    head.cbKey = 32;
    std::memcpy(blob, &head, sizeof(head));
    std::memcpy(blob + sizeof(head), point.data(), point.size());
    return BCryptImportKeyPair(handles.algorithm, nullptr, BCRYPT_ECCPUBLIC_BLOB, &handles.key,
                               blob, sizeof(blob), 0) >= 0;
}

}  // namespace

bool VerifyP256Signature(const P256PublicKey& key, const Sha256Digest& digest,
                         std::string_view signature) {
    if (signature.size() != kP256SignatureSize) return false;
    ProviderAndKey handles;
    if (!ImportPublicKey(key, handles)) return false;
    unsigned char hash[32];
    unsigned char rs[kP256SignatureSize];
    std::memcpy(hash, digest.data(), sizeof(hash));
    std::memcpy(rs, signature.data(), sizeof(rs));
    // Exactly 0 (STATUS_SUCCESS) is a good signature; STATUS_INVALID_SIGNATURE and every
    // other status are not.
    return BCryptVerifySignature(handles.key, nullptr, hash, sizeof(hash), rs, sizeof(rs), 0) == 0;
}

}  // namespace kelvaro::signing
