// SHA-256 over OpenSSL's libcrypto, the native build's stand-in for CNG.
#include <openssl/evp.h>

#include "signing/sha256.h"

namespace kelvaro::signing {

struct Sha256::State {
    EVP_MD_CTX* context = nullptr;
};

Sha256::Sha256() : state_(new State) {
    state_->context = EVP_MD_CTX_new();
    failed_ = state_->context == nullptr ||
              EVP_DigestInit_ex(state_->context, EVP_sha256(), nullptr) != 1;
}

Sha256::~Sha256() {
    EVP_MD_CTX_free(state_->context);
    delete state_;
}

void Sha256::Update(const void* data, size_t size) {
    if (failed_ || size == 0) return;
    failed_ = EVP_DigestUpdate(state_->context, data, size) != 1;
}

bool Sha256::Finish(Sha256Digest& digest) {
    unsigned int length = 0;
    if (failed_ || EVP_DigestFinal_ex(state_->context, digest.data(), &length) != 1 ||
        length != digest.size()) {
        failed_ = true;
        return false;
    }
    failed_ = true;  // a context is finished once
    return true;
}

}  // namespace kelvaro::signing
