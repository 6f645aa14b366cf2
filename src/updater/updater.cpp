// The updater's steps.
#include "updater/updater.h"

#include "common/version_text.h"
#include "updater/command_line.h"

namespace kelvaro {
namespace {

// The manifest as the server has it now, checked. The file is removed at once, also one
// that the main program's check left behind when this download failed.
bool FetchCheckedManifest(const UpdaterServices& services, signing::Manifest& manifest) {
    const std::string name = signing::kManifestFileName;
    const bool fetched = services.download(services.baseUrl + name, name, nullptr) != 0;
    std::string bytes;
    const bool read =
        fetched && services.readFileStart(name, signing::kManifestMaxBytes + 1, bytes);
    services.deleteFile(name);
    return read && signing::CheckSignedManifest(bytes, services.updateKeys, manifest) ==
                       signing::ManifestFault::None;
}

// The manifest entry of `fileName` when the manifest may be installed from: it lists the
// file and announces a version newer than `ownVersion` (an older or the same release,
// replayed from an earlier day, is refused). Null otherwise.
const signing::ManifestFile* InstallableEntry(const signing::Manifest& manifest,
                                              std::string_view fileName,
                                              std::string_view ownVersion) {
    if (!IsNewerVersion(manifest.version, ownVersion)) return nullptr;
    return manifest.FindFile(fileName);
}

// The file as the manifest describes it; 0 when the manifest does not vouch for it.
int32_t FetchVouchedFile(const std::string& fileName, const UpdaterServices& services) {
    signing::Manifest manifest;
    if (!FetchCheckedManifest(services, manifest)) return 0;
    const signing::ManifestFile* entry = InstallableEntry(manifest, fileName, services.ownVersion);
    if (entry == nullptr) return 0;
    const DownloadExpectation expected{entry->size, entry->sha256};
    return services.download(services.baseUrl + fileName, fileName, &expected);
}

}  // namespace

void RunUpdater(std::string_view commandLine, const UpdaterServices& services) {
    if (!ReportIfFailed(services.startNetwork() ? 1 : 0, kUpdaterNoNetworkText, true,
                        services.showBox, services.end)) {
        return;
    }
    const std::string fileName = UpdaterArgument(commandLine);
    if (fileName.empty()) {
        services.end();
        return;
    }
    // The download stores only a complete body that matches the manifest, so after any
    // failure or refusal the old file is still there, and starting it brings the old
    // program back.
    const int32_t stored = FetchVouchedFile(fileName, services);
    ReportIfFailed(stored, kDownloadFailedText, false, services.showBox, services.end);
    services.startProgram(fileName, "", "");
    services.end();
}

}  // namespace kelvaro
