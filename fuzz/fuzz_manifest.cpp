// The update manifest reader on any bytes: it never reads out of bounds, and a manifest it
// takes is exactly the text its fields spell again, so no byte of it escapes the checks.
// The key-list reader gets the same bytes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "signing/hex.h"
#include "signing/manifest.h"
#include "signing/update_keys.h"
#include "unit/signing_vectors.h"

namespace {

using namespace kelvaro::signing;

std::string Spell(const Manifest& manifest) {
    std::string text = "KelvaroUpdate-Signatur 1\r\nkey " + manifest.keyId + "\r\nversion " +
                       manifest.version + "\r\ndefinitions " +
                       std::to_string(manifest.definitions) + "\r\n";
    for (const ManifestFile& file : manifest.files) {
        text += "file " + file.name + " " + std::to_string(file.size) + " " +
                EncodeLowerHex(file.sha256.data(), file.sha256.size()) + "\r\n";
    }
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    static const UpdateKeys keys = ParseUpdateKeys(kelvaro::test::vectors::kTestKeys).value();

    Manifest manifest;
    if (ParseManifest(bytes, manifest) == ManifestFault::None) {
        const std::string body = Spell(manifest);
        const std::string signature =
            "signature " + EncodeLowerHex(manifest.signature.data(), manifest.signature.size()) +
            "\r\n";
        if (manifest.signedLength != body.size() || body + signature != bytes) __builtin_trap();
        if (manifest.files.empty() || manifest.files.size() > kManifestMaxFiles) __builtin_trap();
        CheckSignedManifest(bytes, keys, manifest);
    }

    if (const auto parsed = ParseUpdateKeys(bytes)) {
        for (const UpdateKey& key : *parsed) {
            if (!IsKeyId(key.id) || bytes.find(key.id) == std::string_view::npos) __builtin_trap();
        }
    }
    return 0;
}
