// The updater: its command-line splitting, the failure report it shares with the main
// program, and its one pass against recorded services.
#include "updater/updater.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "netupdate/report.h"
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
        services.startNetwork = [this] {
            log.push_back("network");
            return networkStarts;
        };
        services.download = [this](const std::string& url, const std::string& file) {
            log.push_back("download " + url + " -> " + file);
            return stored;
        };
        services.showBox = [this](const std::string& text, const std::string& caption) {
            log.push_back("box " + caption + ": " + text);
        };
        services.startProgram = [this](const std::string& program, const std::string& parameters,
                                       const std::string& directory) {
            log.push_back("start " + program + " [" + parameters + "] in [" + directory + "]");
            return 0;
        };
        services.end = [this] { log.push_back("end"); };
    }

    std::vector<std::string> Run(const std::string& commandLine) {
        log.clear();
        RunUpdater(commandLine, services);
        return log;
    }

    UpdaterServices services;
    std::vector<std::string> log;
    bool networkStarts = true;
    int32_t stored = 5000;
};

TEST_F(UpdaterRun, AFailedDownloadIsReportedBeforeTheOldProgramIsStarted) {
    stored = 0;
    EXPECT_THAT(Run("u Kelvaro(x64).exe"),
                ElementsAre("network",
                            "download http://127.0.0.1:1/Kelvaro/Kelvaro(x64).exe -> "
                            "Kelvaro(x64).exe",
                            "box Fehler: Download fehlgeschlagen",
                            "start Kelvaro(x64).exe [] in []", "end"));
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
