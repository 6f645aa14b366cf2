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
    const bool fetched = services.download(services.baseUrl + name, name, nullptr,
                                           static_cast<int32_t>(signing::kManifestMaxBytes)) != 0;
    std::string bytes;
    const bool read =
        fetched && services.readFileStart(name, signing::kManifestMaxBytes + 1, bytes);
    services.deleteFile(name);
    return read && signing::CheckSignedManifest(bytes, services.updateKeys, manifest) ==
                       signing::ManifestFault::None;
}

// The oldest release the updater may install over: newer than its own and than the file it
// replaces. The updater itself is never updated, so after the main program has moved on
// its own version alone would let an old release between the two be replayed over it.
std::string VersionFloor(const std::string& installedPath, const UpdaterServices& services) {
    const std::string installed = services.fileVersion(installedPath);
    return !installed.empty() && IsNewerVersion(installed, services.ownVersion)
               ? installed
               : services.ownVersion;
}

// The manifest entry of `fileName` when the manifest may be installed from: it lists the
// file and announces a version newer than `floor` (an older or the same release, replayed
// from an earlier day, is refused). Null otherwise.
const signing::ManifestFile* InstallableEntry(const signing::Manifest& manifest,
                                              std::string_view fileName, std::string_view floor) {
    if (!IsNewerVersion(manifest.version, floor)) return nullptr;
    return manifest.FindFile(fileName);
}

// The file as the manifest describes it; 0 when the manifest does not vouch for it.
int32_t FetchVouchedFile(const std::string& fileName, const std::string& installedPath,
                         const UpdaterServices& services) {
    signing::Manifest manifest;
    if (!FetchCheckedManifest(services, manifest)) return 0;
    const signing::ManifestFile* entry =
        InstallableEntry(manifest, fileName, VersionFloor(installedPath, services));
    if (entry == nullptr) return 0;
    const DownloadExpectation expected{entry->size, entry->sha256};
    return services.download(services.baseUrl + fileName, fileName, &expected, 0);
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
    // What is started is the file just written (or kept) in the working folder, by its
    // full path: a bare name would be looked up in the updater's own folder first.
    const std::string installedPath = services.fullPath(fileName);
    const int32_t stored = FetchVouchedFile(fileName, installedPath, services);
    ReportIfFailed(stored, kDownloadFailedText, false, services.showBox, services.end);
    services.startProgram(installedPath, "", "");
    services.end();
}

}  // namespace kelvaro
