// The build's update keys. Only this file carries them, so a build with other keys
// recompiles nothing else.
#include "signing/update_keys.h"

namespace kelvaro::signing {

const UpdateKeys& BuildUpdateKeys() {
    // Checked when configuring; a list that still did not parse trusts no key, so that
    // every manifest is refused rather than any accepted.
    static const UpdateKeys keys = ParseUpdateKeys(KELVARO_UPDATE_KEYS).value_or(UpdateKeys{});
    return keys;
}

}  // namespace kelvaro::signing
