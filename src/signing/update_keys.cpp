// The key list's syntax and look-up.
#include "signing/update_keys.h"

#include "signing/hex.h"

namespace kelvaro::signing {

bool IsKeyId(std::string_view id) {
    if (id.empty() || id.size() > 32) return false;
    for (const char c : id) {
        const bool letterOrDigit =
            (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
        if (!letterOrDigit && c != '.' && c != '_' && c != '-') return false;
    }
    return true;
}

std::optional<UpdateKeys> ParseUpdateKeys(std::string_view list) {
    UpdateKeys keys;
    for (;;) {
        const size_t comma = list.find(',');
        const std::string_view entry = list.substr(0, comma);
        const size_t colon = entry.find(':');
        if (colon == std::string_view::npos) return std::nullopt;
        UpdateKey key;
        key.id = std::string(entry.substr(0, colon));
        if (!IsKeyId(key.id) || FindUpdateKey(keys, key.id) != nullptr ||
            !DecodeLowerHex(entry.substr(colon + 1), key.point.data(), key.point.size())) {
            return std::nullopt;
        }
        keys.push_back(std::move(key));
        if (comma == std::string_view::npos) return keys;
        list.remove_prefix(comma + 1);
    }
}

const UpdateKey* FindUpdateKey(const UpdateKeys& keys, std::string_view id) {
    for (const UpdateKey& key : keys) {
        if (key.id == id) return &key;
    }
    return nullptr;
}

}  // namespace kelvaro::signing
