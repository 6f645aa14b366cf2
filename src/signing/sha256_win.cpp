// SHA-256 over CNG (bcrypt.dll). The hash object's memory is left to bcrypt, which
// Windows 7 and later and Wine allow.
#include <windows.h>
#include <bcrypt.h>

#include "signing/sha256.h"

namespace kelvaro::signing {

struct Sha256::State {
    BCRYPT_ALG_HANDLE algorithm = nullptr;
    BCRYPT_HASH_HANDLE hash = nullptr;
};

namespace {

bool Succeeded(NTSTATUS status) {
    return status >= 0;
}

}  // namespace

Sha256::Sha256() : state_(new State) {
    failed_ =
        !Succeeded(
            BCryptOpenAlgorithmProvider(&state_->algorithm, BCRYPT_SHA256_ALGORITHM, nullptr, 0)) ||
        !Succeeded(BCryptCreateHash(state_->algorithm, &state_->hash, nullptr, 0, nullptr, 0, 0));
}

Sha256::~Sha256() {
    if (state_->hash != nullptr) BCryptDestroyHash(state_->hash);
    if (state_->algorithm != nullptr) BCryptCloseAlgorithmProvider(state_->algorithm, 0);
    delete state_;
}

void Sha256::Update(const void* data, size_t size) {
    const auto* bytes = static_cast<const UCHAR*>(data);
    while (!failed_ && size > 0) {
        const ULONG part = size > 0x40000000 ? 0x40000000 : static_cast<ULONG>(size);
        failed_ = !Succeeded(BCryptHashData(state_->hash, const_cast<UCHAR*>(bytes), part, 0));
        bytes += part;
        size -= part;
    }
}

bool Sha256::Finish(Sha256Digest& digest) {
    const bool ok = !failed_ && Succeeded(BCryptFinishHash(state_->hash, digest.data(),
                                                           static_cast<ULONG>(digest.size()), 0));
    failed_ = true;  // a hash object is finished once
    return ok;
}

}  // namespace kelvaro::signing
