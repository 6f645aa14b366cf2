// The updater: its command-line splitting, the failure report it shares with the main
// program, and its one pass against recorded services, with manifests from the publisher's
// tool (signing_vectors.h): which it installs from and which it refuses.
#include "updater/updater.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include <optional>
#include <string>
#include <vector>

#include "netupdate/report.h"
#include "unit/signing_vectors.h"
#include "updater/command_line.h"

namespace kelvaro {
namespace {

using ::testing::ElementsAre;

TEST(UpdaterCommandLine, TakesTheArgumentAfterTheOwnPath) {
    EXPECT_EQ(UpdaterArgument("\"C:\\Pro gramme\\KelvaroUpdate.exe\" Kelvaro(x64).exe"),
              "Kelvaro(x64).exe");
    EXPECT_EQ(UpdaterArgument("KelvaroUpdate.exe Kelvaro(x64).exe"), "Kelvaro(x64).exe");
    EXPECT_EQ(UpdaterArgument("  KelvaroUpdate.exe    Kelvaro(x64).exe   "), "Kelvaro(x64).exe");
    EXPECT_EQ(UpdaterArgument("KelvaroUpdate.exe a.exe b.exe"), "a.exe");
    EXPECT_EQ(UpdaterArgument("\"KelvaroUpdate.exe\"\"a.exe\" b"), "a.exe");
}

TEST(UpdaterCommandLine, QuotedArgumentsLoseTheirQuotesAndMayHoldBlanks) {
    EXPECT_EQ(UpdaterArgument("KelvaroUpdate.exe \"Kelvaro(x64).exe\""), "Kelvaro(x64).exe");
    EXPECT_EQ(UpdaterArgument("u \"Neuer Ordner\\Kelvaro(x64).exe\" x"),
              "Neuer Ordner\\Kelvaro(x64).exe");
    EXPECT_EQ(UpdaterArgument("u \"bis zum Ende"), "bis zum Ende");
    EXPECT_EQ(UpdaterArgument("u a\"b c"), "a\"b");  // a quote inside a plain argument stays
}

TEST(UpdaterCommandLine, MissingArgumentIsEmptyAndOnlyBlanksSeparate) {
    EXPECT_EQ(UpdaterArgument(""), "");
    EXPECT_EQ(UpdaterArgument("KelvaroUpdate.exe"), "");
    EXPECT_EQ(UpdaterArgument("\"C:\\K\\KelvaroUpdate.exe\"   "), "");
    EXPECT_EQ(UpdaterArgument("u \"\" b"), "");
    EXPECT_EQ(UpdaterArgument("KelvaroUpdate.exe\tKelvaro(x64).exe"), "");
    EXPECT_EQ(UpdaterArgument("u a\tb"), "a\tb");
}

TEST(ReportIfFailed, ShowsAnErrorBoxForZeroAndEndsOnlyWhenAsked) {
    std::vector<std::string> log;
    const OkBox box = [&](const std::string& text, const std::string& caption) {
        log.push_back(caption + ": " + text);
    };
    const auto end = [&] { log.push_back("end"); };
    EXPECT_EQ(ReportIfFailed(17, "x", true, box, end), 17);
    EXPECT_EQ(ReportIfFailed(-1, "x", true, box, end), -1);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(ReportIfFailed(0, "Download fehlgeschlagen", false, box, end), 0);
    EXPECT_THAT(log, ElementsAre("Fehler: Download fehlgeschlagen"));
    log.clear();
    EXPECT_EQ(ReportIfFailed(0, "weg", true, box, end), 0);
    EXPECT_THAT(log, ElementsAre("Fehler: weg", "end"));
}

class UpdaterRun : public ::testing::Test {
protected:
    UpdaterRun() {
        services.baseUrl = "http://127.0.0.1:1/Kelvaro/";
        services.ownVersion = "1.5";
        services.updateKeys = signing::ParseUpdateKeys(test::vectors::kTestKeys).value();
        services.startNetwork = [this] {
            log.push_back("network");
            return networkStarts;
        };
        services.download = [this](const std::string& url, const std::string& file,
                                   const DownloadExpectation* expected, int32_t maxSize) {
            log.push_back("download " + url.substr(url.rfind('/') + 1) + " -> " + file +
                          (expected ? " (" + std::to_string(expected->size) + " bytes)" : "") +
                          (maxSize > 0 ? " (max " + std::to_string(maxSize) + ")" : ""));
            if (expected != nullptr) expectation = *expected;
            return file == signing::kManifestFileName ? manifestStored : stored;
        };
        services.readFileStart = [this](const std::string& file, size_t limit, std::string& bytes) {
            log.push_back("read " + file);
            bytes = manifest.substr(0, limit);
            return true;
        };
        services.deleteFile = [this](const std::string& file) { log.push_back("delete " + file); };
        services.showBox = [this](const std::string& text, const std::string& caption) {
            log.push_back("box " + caption + ": " + text);
        };
        services.startProgram = [this](const std::string& program, const std::string& parameters,
                                       const std::string& directory) {
            log.push_back("start " + program + " [" + parameters + "] in [" + directory + "]");
            return 0;
        };
        services.end = [this] { log.push_back("end"); };
        services.fullPath = [](const std::string& file) { return "C:\\W\\" + file; };
        services.fileVersion = [this](const std::string& path) {
            return path == "C:\\W\\Kelvaro(x64).exe" ? installedVersion : std::string();
        };
    }

    std::vector<std::string> Run(const std::string& commandLine) {
        log.clear();
        RunUpdater(commandLine, services);
        return log;
    }

    UpdaterServices services;
    std::vector<std::string> log;
    bool networkStarts = true;
    int32_t manifestStored = 700;
    int32_t stored = 5000;
    std::string manifest = test::vectors::kManifest16With25;
    std::string installedVersion;  // of the program file it replaces
    std::optional<DownloadExpectation> expectation;
};

const std::string kProgramSize = std::to_string(std::string(test::vectors::kProgram).size());
const std::vector<std::string> kManifestFetched = {
    "network", "download KelvaroUpdate.sig -> KelvaroUpdate.sig (max 8192)", "read KelvaroUpdate.sig",
    "delete KelvaroUpdate.sig"};

std::vector<std::string> AfterManifest(std::vector<std::string> then) {
    std::vector<std::string> steps = kManifestFetched;
    steps.insert(steps.end(), then.begin(), then.end());
    return steps;
}

TEST_F(UpdaterRun, InstallsTheFileOnlyAsTheManifestDescribesIt) {
    EXPECT_EQ(
        Run("u Kelvaro(x64).exe"),
        AfterManifest({"download Kelvaro(x64).exe -> Kelvaro(x64).exe (" + kProgramSize + " bytes)",
                       "start C:\\W\\Kelvaro(x64).exe [] in []", "end"}));
    ASSERT_TRUE(expectation.has_value());
    EXPECT_EQ(expectation->sha256, signing::Sha256Of(test::vectors::kProgram).value());
    // A body that does not match is a failed download: the old program is started.
    stored = 0;
    EXPECT_EQ(
        Run("u \"Kelvaro(x64).exe\""),
        AfterManifest({"download Kelvaro(x64).exe -> Kelvaro(x64).exe (" + kProgramSize + " bytes)",
                       "box Fehler: Download fehlgeschlagen", "start C:\\W\\Kelvaro(x64).exe [] in []",
                       "end"}));
}

// No manifest, another key, an older or the same release replayed, a changed byte, or a
// file the manifest does not list: nothing is downloaded, and the old program is started.
TEST_F(UpdaterRun, RefusesEveryManifestThatDoesNotVouchForANewerFile) {
    const std::vector<std::string> refused = AfterManifest(
        {"box Fehler: Download fehlgeschlagen", "start C:\\W\\Kelvaro(x64).exe [] in []", "end"});
    std::string changed = test::vectors::kManifest16With25;
    changed[changed.find("definitions ") + 12] ^= 1;  // 25 becomes 35
    for (const std::string& bytes :
         {std::string(test::vectors::kManifest16With25OtherKey),
          std::string(test::vectors::kManifest14With20),
          std::string(test::vectors::kManifest15With20), changed, std::string("weg")}) {
        manifest = bytes;
        EXPECT_EQ(Run("u Kelvaro(x64).exe"), refused) << bytes;
    }
    manifest = test::vectors::kManifest16With25;
    EXPECT_EQ(Run("u Andere.exe"), AfterManifest({"box Fehler: Download fehlgeschlagen",
                                                  "start C:\\W\\Andere.exe [] in []", "end"}));
    manifestStored = 0;
    EXPECT_THAT(Run("u Kelvaro(x64).exe"),
                ElementsAre("network", "download KelvaroUpdate.sig -> KelvaroUpdate.sig (max 8192)",
                            "delete KelvaroUpdate.sig", "box Fehler: Download fehlgeschlagen",
                            "start C:\\W\\Kelvaro(x64).exe [] in []", "end"));
}

// The floor is the newer of the updater's own version and that of the file it replaces:
// an updater of 1.5 beside a program of 1.7 refuses the validly signed 1.6. A file without
// a version resource counts as the updater's own version.
TEST_F(UpdaterRun, InstallsOnlyReleasesNewerThanItselfAndTheInstalledProgram) {
    struct Case {
        const char* own;
        const char* installed;
        bool installs;  // the signed manifest of 1.6
    };
    const Case cases[] = {{"1.5", "", true},   {"1.5", "1.5", true},  {"1.5", "1.4", true},
                          {"1.5", "1.6", false}, {"1.5", "1.7", false}, {"1.6", "", false},
                          {"1.5", "1.10", false}};
    for (const Case& c : cases) {
        services.ownVersion = c.own;
        installedVersion = c.installed;
        const std::vector<std::string> log = Run("u Kelvaro(x64).exe");
        const bool downloaded =
            std::find(log.begin(), log.end(),
                      "download Kelvaro(x64).exe -> Kelvaro(x64).exe (" + kProgramSize + " bytes)") !=
            log.end();
        EXPECT_EQ(downloaded, c.installs) << c.own << " / " << c.installed;
        EXPECT_EQ(log.at(log.size() - 2), "start C:\\W\\Kelvaro(x64).exe [] in []");
    }
}

TEST_F(UpdaterRun, EndsWithoutStartingAnythingWhenTheNetworkOrTheNameIsMissing) {
    networkStarts = false;
    EXPECT_THAT(
        Run("u Kelvaro(x64).exe"),
        ElementsAre("network", "box Fehler: Keine Internetverbindung f\xFCr Update", "end"));
    EXPECT_THAT(Run("u"), ElementsAre("network",
                                      "box Fehler: Keine Internetverbindung f\xFCr Update", "end"));
    networkStarts = true;
    EXPECT_THAT(Run("\"C:\\K\\KelvaroUpdate.exe\""), ElementsAre("network", "end"));
}

}  // namespace
}  // namespace kelvaro
