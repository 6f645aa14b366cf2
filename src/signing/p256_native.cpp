// ECDSA P-256 checks over OpenSSL's libcrypto, the native build's stand-in for CNG: the
// point becomes a public key, r || s becomes the DER signature OpenSSL expects.
#include <openssl/bn.h>
#include <openssl/core_names.h>
#include <openssl/ec.h>
#include <openssl/evp.h>
#include <openssl/params.h>

#include <algorithm>
#include <memory>
#include <string>

#include "signing/p256.h"

namespace kelvaro::signing {
namespace {

template <typename T, void (*Free)(T*)>
struct Deleter {
    void operator()(T* p) const { Free(p); }
};
using PKeyPtr = std::unique_ptr<EVP_PKEY, Deleter<EVP_PKEY, EVP_PKEY_free>>;
using PKeyContextPtr = std::unique_ptr<EVP_PKEY_CTX, Deleter<EVP_PKEY_CTX, EVP_PKEY_CTX_free>>;
using SignaturePtr = std::unique_ptr<ECDSA_SIG, Deleter<ECDSA_SIG, ECDSA_SIG_free>>;

// OpenSSL checks that the point lies on the curve while importing it.
PKeyPtr ImportPublicKey(const P256PublicKey& key) {
    unsigned char encoded[1 + 64];
    encoded[0] = 0x04;  // an uncompressed point
    std::copy(key.begin(), key.end(), encoded + 1);
    char group[] = "prime256v1";
    const OSSL_PARAM params[] = {
        OSSL_PARAM_utf8_string(OSSL_PKEY_PARAM_GROUP_NAME, group, 0),
        OSSL_PARAM_octet_string(OSSL_PKEY_PARAM_PUB_KEY, encoded, sizeof(encoded)),
        OSSL_PARAM_END,
    };
    PKeyContextPtr context(EVP_PKEY_CTX_new_from_name(nullptr, "EC", nullptr));
    EVP_PKEY* imported = nullptr;
    if (!context || EVP_PKEY_fromdata_init(context.get()) != 1 ||
        EVP_PKEY_fromdata(context.get(), &imported, EVP_PKEY_PUBLIC_KEY,
                          const_cast<OSSL_PARAM*>(params)) != 1) {
        return nullptr;
    }
    return PKeyPtr(imported);
}

// r || s as DER SEQUENCE { INTEGER r, INTEGER s }; empty when it cannot be made.
std::basic_string<unsigned char> DerSignature(std::string_view signature) {
    const auto* raw = reinterpret_cast<const unsigned char*>(signature.data());
    SignaturePtr parsed(ECDSA_SIG_new());
    BIGNUM* r = BN_bin2bn(raw, 32, nullptr);
    BIGNUM* s = BN_bin2bn(raw + 32, 32, nullptr);
    if (!parsed || r == nullptr || s == nullptr || ECDSA_SIG_set0(parsed.get(), r, s) != 1) {
        BN_free(r);
        BN_free(s);
        return {};
    }
    unsigned char* der = nullptr;
    const int length = i2d_ECDSA_SIG(parsed.get(), &der);
    if (length <= 0) return {};
    std::basic_string<unsigned char> result(der, static_cast<size_t>(length));
    OPENSSL_free(der);
    return result;
}

}  // namespace

bool VerifyP256Signature(const P256PublicKey& key, const Sha256Digest& digest,
                         std::string_view signature) {
    if (signature.size() != kP256SignatureSize) return false;
    const PKeyPtr publicKey = ImportPublicKey(key);
    const std::basic_string<unsigned char> der = DerSignature(signature);
    if (!publicKey || der.empty()) return false;
    PKeyContextPtr context(EVP_PKEY_CTX_new_from_pkey(nullptr, publicKey.get(), nullptr));
    return context && EVP_PKEY_verify_init(context.get()) == 1 &&
           EVP_PKEY_verify(context.get(), der.data(), der.size(), digest.data(), digest.size()) ==
               1;
}

}  // namespace kelvaro::signing
