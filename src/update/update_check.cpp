// The steps of the update check.
#include "update/update_check.h"

#include "inventory/definitions.h"
#include "signing/manifest.h"
#include "update/signed_info.h"
#include "update/update_info.h"

namespace kelvaro {
namespace {

// Offers the program update. True when the user accepted it: the updater has then been
// started (or tried) and the program ended.
bool OfferProgramUpdate(const UpdateInfo& info, const UpdateCheckServices& services) {
    if (!services.ask(ProgramUpdateQuestion(info.version))) return false;
    // The updater takes over the working directory; whether it started or not, this
    // program ends so that its file can be replaced.
    services.startProgram(services.updaterPath, kMainProgramFile, "");
    services.endProgram();
    return true;
}

// The definitions are downloaded only as the manifest describes them, so a file swapped on
// the way is refused like a broken download and the loaded definitions stay.
void OfferNewDefinitions(int64_t newCount, const signing::ManifestFile& served,
                         const UpdateCheckServices& services) {
    if (!services.ask(NewDefinitionsQuestion(newCount))) return;
    const DownloadExpectation expected{served.size, served.sha256};
    const int32_t stored =
        services.download(services.baseUrl + kDefinitionsFileName, kDefinitionsFileName, &expected,
                          0);
    if (ReportIfFailed(stored, kDefinitionsFailedText, false, services.showBox,
                       services.endProgram) != 0) {
        services.reloadDefinitions();
    }
}

// Fetches the manifest and keeps it when its signature holds and it vouches for `info`.
bool FetchVouchingManifest(const UpdateInfo& info, const UpdateCheckServices& services,
                           signing::Manifest& manifest) {
    if (services.download(services.baseUrl + signing::kManifestFileName, signing::kManifestFileName,
                          nullptr, static_cast<int32_t>(signing::kManifestMaxBytes)) == 0) {
        return false;
    }
    // One byte beyond the limit tells a manifest that is too long from one that fits.
    std::string bytes;
    return services.readFileStart(signing::kManifestFileName, signing::kManifestMaxBytes + 1,
                                  bytes) &&
           signing::CheckSignedManifest(bytes, services.updateKeys, manifest) ==
               signing::ManifestFault::None &&
           ManifestVouchesFor(manifest, info);
}

void DeleteCheckFiles(const UpdateCheckServices& services) {
    services.deleteFile(kUpdateInfoFileName);
    services.deleteFile(signing::kManifestFileName);
}

}  // namespace

void RunUpdateCheck(bool manual, const UpdateCheckServices& services) {
    if (!services.networkStarted) {
        services.showBox(kNoNetworkText, kErrorCaption);
        return;
    }
    const int32_t fetched =
        services.download(services.baseUrl + kUpdateInfoFileName, kUpdateInfoFileName, nullptr,
                          kUpdateInfoMaxBytes);
    if (ReportIfFailed(fetched, kUpdateInfoFailedText, false, services.showBox,
                       services.endProgram) == 0) {
        return;
    }
    std::string bytes;
    if (!services.readFileStart(kUpdateInfoFileName, kUpdateInfoReadLimit, bytes)) return;
    const UpdateInfo info = ReadUpdateInfo(bytes);

    signing::Manifest manifest;
    if (!FetchVouchingManifest(info, services, manifest)) {
        // Nothing of an unproven answer stays behind, and nothing is offered.
        DeleteCheckFiles(services);
        services.showBox(kNotSignedText, kErrorCaption);
        return;
    }

    bool noProgramUpdate = false;
    if (IsNewerVersion(info.version, services.runningVersion)) {
        // Accepted, the program has ended; the downloaded files are left as they are.
        if (OfferProgramUpdate(info, services)) return;
    } else {
        noProgramUpdate = true;
    }

    // Definitions come only from a release at least as new as this program: an older
    // signed set, replayed, would bring back what the publisher has since withdrawn.
    bool noNewDefinitions = false;
    const int64_t newCount =
        static_cast<int64_t>(info.definitionsCount) - services.definitionsCount();
    if (newCount > 0 && !IsNewerVersion(services.runningVersion, manifest.version)) {
        OfferNewDefinitions(newCount, *manifest.FindFile(kDefinitionsFileName), services);
    } else {
        noNewDefinitions = true;
    }

    if (manual && noProgramUpdate && noNewDefinitions) {
        services.showBox(kNoUpdatesText, kQuestionCaption);
    }
    DeleteCheckFiles(services);
}

}  // namespace kelvaro
