// The steps of the update check.
#include "update/update_check.h"

#include "inventory/definitions.h"
#include "update/update_info.h"

namespace kelvaro {
namespace {

// Offers the program update. True when the user accepted it: the updater has then been
// started (or tried) and the program ended.
bool OfferProgramUpdate(const UpdateInfo& info, const UpdateCheckServices& services) {
    if (!services.ask(ProgramUpdateQuestion(info.version))) return false;
    // The updater takes over the working directory; whether it started or not, this
    // program ends so that its file can be replaced.
    services.startProgram(kUpdaterProgram, kMainProgramFile, "");
    services.endProgram();
    return true;
}

void OfferNewDefinitions(int64_t newCount, const UpdateCheckServices& services) {
    if (!services.ask(NewDefinitionsQuestion(newCount))) return;
    const int32_t stored =
        services.download(services.baseUrl + kDefinitionsFileName, kDefinitionsFileName);
    if (ReportIfFailed(stored, kDefinitionsFailedText, false, services.showBox,
                       services.endProgram) != 0) {
        services.reloadDefinitions();
    }
}

}  // namespace

void RunUpdateCheck(bool manual, const UpdateCheckServices& services) {
    if (!services.networkStarted) {
        services.showBox(kNoNetworkText, kErrorCaption);
        return;
    }
    const int32_t fetched =
        services.download(services.baseUrl + kUpdateInfoFileName, kUpdateInfoFileName);
    if (ReportIfFailed(fetched, kUpdateInfoFailedText, false, services.showBox,
                       services.endProgram) == 0) {
        return;
    }
    std::string bytes;
    if (!services.readFileStart(kUpdateInfoFileName, bytes)) return;
    const UpdateInfo info = ReadUpdateInfo(std::string_view(bytes).substr(0, kUpdateInfoReadLimit));

    bool noProgramUpdate = false;
    if (IsNewerVersion(info.version, services.runningVersion)) {
        // Accepted, the program has ended; the information file is left as it is.
        if (OfferProgramUpdate(info, services)) return;
    } else {
        noProgramUpdate = true;
    }

    bool noNewDefinitions = false;
    const int64_t newCount =
        static_cast<int64_t>(info.definitionsCount) - services.definitionsCount();
    if (newCount > 0) {
        OfferNewDefinitions(newCount, services);
    } else {
        noNewDefinitions = true;
    }

    if (manual && noProgramUpdate && noNewDefinitions) {
        services.showBox(kNoUpdatesText, kQuestionCaption);
    }
    services.deleteFile(kUpdateInfoFileName);
}

}  // namespace kelvaro
