// What the signed manifest must say before the update check believes the update
// information file, which itself carries no proof.
#pragma once

#include "signing/manifest.h"
#include "update/update_info.h"

namespace kelvaro {

// True when the manifest announces exactly the version text and the definitions count
// that the check read from the update information file, and lists the definitions file,
// so that a download of new definitions can be held to its size and hash.
bool ManifestVouchesFor(const signing::Manifest& manifest, const UpdateInfo& info);

}  // namespace kelvaro
