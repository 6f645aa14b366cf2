// The agreement of the update information file with its manifest.
#include "update/signed_info.h"

#include "inventory/definitions.h"

namespace kelvaro {

bool ManifestVouchesFor(const signing::Manifest& manifest, const UpdateInfo& info) {
    // The version is compared as text: the question shows the text of the information
    // file, so a text the publisher did not sign never reaches the user, not even one that
    // reads as the same numbers.
    return manifest.version == info.version && manifest.definitions == info.definitionsCount &&
           manifest.FindFile(kDefinitionsFileName) != nullptr;
}

}  // namespace kelvaro
