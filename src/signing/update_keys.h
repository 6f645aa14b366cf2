// The public keys whose signatures the programs accept on the update manifest: a list of
// "id:hex" entries, the id naming the key in the manifest and hex its 64-byte point. Several
// keys at once let a publisher change keys: a release trusts the old and the new key
// until every user has it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "signing/p256.h"

namespace kelvaro::signing {

struct UpdateKey {
    std::string id;
    P256PublicKey point{};
};
using UpdateKeys = std::vector<UpdateKey>;

// A short token: 1 to 32 of A-Z a-z 0-9 . _ -
bool IsKeyId(std::string_view id);

// Entries separated by commas, each "id:" and 128 lower-case hex digits; no id twice.
// Nothing when any entry is bad or there is none.
std::optional<UpdateKeys> ParseUpdateKeys(std::string_view list);

const UpdateKey* FindUpdateKey(const UpdateKeys& keys, std::string_view id);

// The keys of this build (the CMake option KELVARO_UPDATE_KEYS, checked when configuring).
const UpdateKeys& BuildUpdateKeys();

}  // namespace kelvaro::signing
