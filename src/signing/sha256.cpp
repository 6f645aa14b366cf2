// The one-piece digest, shared by both builds.
#include "signing/sha256.h"

namespace kelvaro::signing {

std::optional<Sha256Digest> Sha256Of(std::string_view bytes) {
    Sha256 hash;
    hash.Update(bytes.data(), bytes.size());
    Sha256Digest digest{};
    if (!hash.Finish(digest)) return std::nullopt;
    return digest;
}

}  // namespace kelvaro::signing
